#include "toolkit/Object.h"

#include <utility>

ClassInfo::ClassInfo(std::string name, const ClassInfo* super, std::vector<PropertyDecl> properties)
    : name_(std::move(name)), super_(super), properties_(std::move(properties)) {}

const PropertyDecl* ClassInfo::FindProperty(const std::string& name) const {
  for (const ClassInfo* cls = this; cls != nullptr; cls = cls->super_) {
    for (const PropertyDecl& decl : cls->properties_) {
      if (decl.name == name) return &decl;
    }
  }
  return nullptr;
}

bool ClassInfo::IsA(const ClassInfo& other) const {
  for (const ClassInfo* cls = this; cls != nullptr; cls = cls->super_) {
    if (cls == &other) return true;
  }
  return false;
}

Object::~Object() = default;
