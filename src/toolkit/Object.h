#pragma once
// The toolkit's object model: exceptions, runtime class information with the
// declared properties of each class, and the checked cast.
#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "toolkit/Color.h"

class ToolkitException : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};
class NilObjectException : public ToolkitException {
 public:
  NilObjectException() : ToolkitException("NilObjectException") {}
  using ToolkitException::ToolkitException;
};
class IllegalCastException : public ToolkitException {
 public:
  using ToolkitException::ToolkitException;
};
// A property record that cannot be applied: unknown property, truncated entry.
class PropertyRecordException : public ToolkitException {
 public:
  using ToolkitException::ToolkitException;
};

class Object;

// Declared type of a property, which decides how a record encodes its value.
enum class PropType { Int32, Boolean, String, Color, Single, Double, UInt8 };

struct PropertyValue {
  PropType type = PropType::Int32;
  int32_t i = 0;       // Int32
  bool b = false;      // Boolean
  std::string s;       // String
  Color color{};       // Color
  float f = 0.0f;      // Single
  double d = 0.0;      // Double
  uint8_t u = 0;       // UInt8
};

struct PropertyDecl {
  std::string name;
  PropType type;
  std::function<void(Object&, const PropertyValue&)> set;
};

// Runtime class record: name, superclass and the properties the class itself
// declares. Lookups walk up the superclass chain.
class ClassInfo {
 public:
  ClassInfo(std::string name, const ClassInfo* super, std::vector<PropertyDecl> properties);
  const std::string& Name() const { return name_; }
  const ClassInfo* Super() const { return super_; }
  // The declaration on this class or the nearest superclass; nullptr if none.
  const PropertyDecl* FindProperty(const std::string& name) const;
  bool IsA(const ClassInfo& other) const;

 private:
  std::string name_;
  const ClassInfo* super_;
  std::vector<PropertyDecl> properties_;
};

class Object {
 public:
  virtual ~Object();
  virtual const ClassInfo& GetClassInfo() const = 0;
  // Bracket the application of a property record, so that properties that
  // depend on one another (a slider's value and bounds) settle only once all
  // entries are in.
  virtual void BeginPropertyRecord() {}
  virtual void EndPropertyRecord() {}
};

// The platform's class-verifying cast: nil raises NilObjectException, an
// object of another class IllegalCastException.
template <class T, class U>
T* RuntimeCheckCast(U* object) {
  if (object == nullptr) throw NilObjectException("NilObjectException: cast of nil");
  T* result = dynamic_cast<T*>(object);
  if (result == nullptr) throw IllegalCastException("IllegalCastException");
  return result;
}
