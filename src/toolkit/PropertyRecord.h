#pragma once
// Property records: the stored design-time properties of a window or control.
// A record is a run of entries with no header: the property name in ASCII,
// the byte 0x20, then the value encoded by the property's declared type
// (little-endian; Int32 4 bytes, Boolean 1, String Int32 length + UTF-8,
// Color 4 bytes 0xAARRGGBB, Single 4, Double 8, UInt8 1).
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "toolkit/Object.h"

// Builds a record from readable source:
//   RecordBuilder().Int32("Width", 894).Boolean("Visible", true).Bytes()
class RecordBuilder {
 public:
  RecordBuilder& Int32(std::string_view name, int32_t v);
  RecordBuilder& Boolean(std::string_view name, bool v);
  RecordBuilder& String(std::string_view name, std::string_view utf8);
  RecordBuilder& Color(std::string_view name, uint32_t aarrggbb);
  RecordBuilder& Single(std::string_view name, float v);
  RecordBuilder& Double(std::string_view name, double v);
  RecordBuilder& UInt8(std::string_view name, uint8_t v);
  const std::string& Bytes() const { return bytes_; }

 private:
  void Name(std::string_view name);
  std::string bytes_;
};

// Applies every entry of the record to target, in record order, through the
// setters that target's class (or the nearest superclass) declares. Raises
// PropertyRecordException for an unknown name or an entry cut short; the
// record is checked completely before any property is set.
void ApplyPropertyBlob(Object& target, std::string_view record);

// Reads and checks a whole record against cls without setting anything: the
// entries in record order, each value typed by its declaration. Raises
// PropertyRecordException as ApplyPropertyBlob does.
std::vector<std::pair<std::string, PropertyValue>> DecodePropertyRecord(const ClassInfo& cls,
                                                                        std::string_view record);
