#include "toolkit/PropertyRecord.h"

#include <bit>
#include <cstdint>

namespace {

void PutUInt32(std::string& out, uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(char((v >> (8 * i)) & 0xFF));
}
void PutUInt64(std::string& out, uint64_t v) {
  for (int i = 0; i < 8; ++i) out.push_back(char((v >> (8 * i)) & 0xFF));
}
uint32_t GetUInt32(std::string_view in, size_t pos) {
  uint32_t v = 0;
  for (int i = 3; i >= 0; --i) v = (v << 8) | uint8_t(in[pos + size_t(i)]);
  return v;
}
uint64_t GetUInt64(std::string_view in, size_t pos) {
  uint64_t v = 0;
  for (int i = 7; i >= 0; --i) v = (v << 8) | uint8_t(in[pos + size_t(i)]);
  return v;
}

const char* TypeName(PropType t) {
  switch (t) {
    case PropType::Int32: return "Int32";
    case PropType::Boolean: return "Boolean";
    case PropType::String: return "String";
    case PropType::Color: return "Color";
    case PropType::Single: return "Single";
    case PropType::Double: return "Double";
    case PropType::UInt8: return "UInt8";
  }
  return "?";
}

size_t FixedSize(PropType t) {
  switch (t) {
    case PropType::Int32: case PropType::Color: case PropType::Single: return 4;
    case PropType::Boolean: case PropType::UInt8: return 1;
    case PropType::Double: return 8;
    case PropType::String: return 4;  // the length field
  }
  return 0;
}

// Printable form of a name taken from the record (which may hold any bytes).
std::string Printable(std::string_view s) {
  constexpr size_t kMax = 40;
  std::string out;
  for (size_t i = 0; i < s.size() && i < kMax; ++i) {
    unsigned char c = uint8_t(s[i]);
    if (c >= 0x21 && c < 0x7F) {
      out.push_back(char(c));
    } else {
      static const char* hex = "0123456789ABCDEF";
      out += "\\x";
      out.push_back(hex[c >> 4]);
      out.push_back(hex[c & 0xF]);
    }
  }
  if (s.size() > kMax) out += "...";
  return out;
}

[[noreturn]] void Fail(const ClassInfo& cls, const std::string& what, size_t offset) {
  throw PropertyRecordException("property record for " + cls.Name() + ": " + what + " at offset " +
                                std::to_string(offset));
}

struct Entry {
  const PropertyDecl* decl;
  PropertyValue value;
};

std::vector<Entry> Parse(const ClassInfo& cls, std::string_view rec) {
  std::vector<Entry> entries;
  const size_t n = rec.size();
  size_t pos = 0;
  while (pos < n) {
    const size_t nameAt = pos;
    const size_t sep = rec.find(' ', pos);
    if (sep == std::string_view::npos)
      Fail(cls, "name \"" + Printable(rec.substr(pos)) + "\" without separator", nameAt);
    if (sep == pos) Fail(cls, "empty property name", nameAt);
    const std::string name(rec.substr(pos, sep - pos));
    const PropertyDecl* decl = cls.FindProperty(name);
    if (decl == nullptr) Fail(cls, "unknown property \"" + Printable(name) + "\"", nameAt);
    if (!decl->set) Fail(cls, "property \"" + name + "\" has no setter", nameAt);
    pos = sep + 1;

    const size_t need = FixedSize(decl->type);
    if (n - pos < need)
      Fail(cls, std::string(TypeName(decl->type)) + " value of \"" + name + "\" cut short (" +
                    std::to_string(n - pos) + " of " + std::to_string(need) + " bytes)",
           pos);

    PropertyValue v;
    v.type = decl->type;
    switch (decl->type) {
      case PropType::Int32:
        v.i = int32_t(GetUInt32(rec, pos));
        break;
      case PropType::Boolean:
        v.b = rec[pos] != 0;
        break;
      case PropType::UInt8:
        v.u = uint8_t(rec[pos]);
        break;
      case PropType::Color:
        v.color = Color::FromUInt32(GetUInt32(rec, pos));
        break;
      case PropType::Single:
        v.f = std::bit_cast<float>(GetUInt32(rec, pos));
        break;
      case PropType::Double:
        v.d = std::bit_cast<double>(GetUInt64(rec, pos));
        break;
      case PropType::String: {
        const int32_t len = int32_t(GetUInt32(rec, pos));
        if (len < 0) Fail(cls, "negative text length " + std::to_string(len) + " of \"" + name + "\"", pos);
        if (size_t(len) > n - pos - 4)
          Fail(cls, "text of \"" + name + "\" (" + std::to_string(len) + " bytes) runs past the end of the record",
               pos);
        v.s.assign(rec.substr(pos + 4, size_t(len)));
        pos += size_t(len);
        break;
      }
    }
    pos += need;
    entries.push_back(Entry{decl, std::move(v)});
  }
  return entries;
}

}  // namespace

void RecordBuilder::Name(std::string_view name) {
  bytes_.append(name);
  bytes_.push_back(' ');
}

RecordBuilder& RecordBuilder::Int32(std::string_view name, int32_t v) {
  Name(name);
  PutUInt32(bytes_, uint32_t(v));
  return *this;
}

RecordBuilder& RecordBuilder::Boolean(std::string_view name, bool v) {
  Name(name);
  bytes_.push_back(v ? '\x01' : '\x00');
  return *this;
}

RecordBuilder& RecordBuilder::String(std::string_view name, std::string_view utf8) {
  Name(name);
  // Texts longer than an Int32 can count cannot be stored; no record comes near.
  const size_t len = utf8.size() > size_t(INT32_MAX) ? size_t(INT32_MAX) : utf8.size();
  PutUInt32(bytes_, uint32_t(len));
  bytes_.append(utf8.substr(0, len));
  return *this;
}

RecordBuilder& RecordBuilder::Color(std::string_view name, uint32_t aarrggbb) {
  Name(name);
  PutUInt32(bytes_, aarrggbb);
  return *this;
}

RecordBuilder& RecordBuilder::Single(std::string_view name, float v) {
  Name(name);
  PutUInt32(bytes_, std::bit_cast<uint32_t>(v));
  return *this;
}

RecordBuilder& RecordBuilder::Double(std::string_view name, double v) {
  Name(name);
  PutUInt64(bytes_, std::bit_cast<uint64_t>(v));
  return *this;
}

RecordBuilder& RecordBuilder::UInt8(std::string_view name, uint8_t v) {
  Name(name);
  bytes_.push_back(char(v));
  return *this;
}

std::vector<std::pair<std::string, PropertyValue>> DecodePropertyRecord(const ClassInfo& cls,
                                                                        std::string_view record) {
  std::vector<std::pair<std::string, PropertyValue>> out;
  for (Entry& e : Parse(cls, record)) out.emplace_back(e.decl->name, std::move(e.value));
  return out;
}

void ApplyPropertyBlob(Object& target, std::string_view record) {
  // Check everything first, so that a bad record leaves the target untouched.
  std::vector<Entry> entries = Parse(target.GetClassInfo(), record);
  target.BeginPropertyRecord();
  try {
    for (const Entry& e : entries) e.decl->set(target, e.value);
  } catch (...) {
    // A setter failed: still let the target settle what it has, then pass the error on.
    try {
      target.EndPropertyRecord();
    } catch (...) {
    }
    throw;
  }
  target.EndPropertyRecord();
}
