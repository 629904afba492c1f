#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

#include "toolkit/Object.h"
#include "toolkit/PropertyRecord.h"

namespace {

constexpr int32_t kMin = std::numeric_limits<int32_t>::min();

// A base class and a subclass with their own class records; every setter and
// the Begin/End bracket leave a trace in `log`.
struct Gadget : Object {
  static const ClassInfo& Class();
  const ClassInfo& GetClassInfo() const override { return Class(); }
  void BeginPropertyRecord() override { log.push_back("begin"); }
  void EndPropertyRecord() override { log.push_back("end"); }
  std::vector<std::string> log;
  std::vector<PropertyValue> values;
};
struct FancyGadget : Gadget {
  static const ClassInfo& Class();
  const ClassInfo& GetClassInfo() const override { return Class(); }
};

PropertyDecl Decl(const char* name, PropType type) {
  return PropertyDecl{name, type, [name](Object& o, const PropertyValue& v) {
                        static_cast<Gadget&>(o).log.push_back(name);
                        static_cast<Gadget&>(o).values.push_back(v);
                      }};
}
const ClassInfo& Gadget::Class() {
  static const ClassInfo info("Gadget", nullptr,
                              {Decl("Width", PropType::Int32), Decl("Index", PropType::Int32),
                               Decl("Visible", PropType::Boolean), Decl("Title", PropType::String)});
  return info;
}
const ClassInfo& FancyGadget::Class() {
  static const ClassInfo info("FancyGadget", &Gadget::Class(),
                              {Decl("BackgroundColor", PropType::Color), Decl("FontSize", PropType::Single),
                               Decl("BorderThickness", PropType::Double), Decl("FontUnit", PropType::UInt8)});
  return info;
}

std::string Hex(const std::string& bytes) {
  std::string out;
  for (unsigned char c : bytes) out += (out.empty() ? "" : " ") + std::string{"0123456789ABCDEF"[c >> 4], "0123456789ABCDEF"[c & 15]};
  return out;
}

TEST(RecordTest, EncodesEntriesByteForByte) {
  EXPECT_EQ(Hex(RecordBuilder().Int32("Width", 894).Bytes()), "57 69 64 74 68 20 7E 03 00 00");
  EXPECT_EQ(Hex(RecordBuilder().Boolean("Visible", true).Bytes()), "56 69 73 69 62 6C 65 20 01");
  EXPECT_EQ(RecordBuilder().String("Title", "Kestrane Diagram").Bytes(),
            std::string("Title \x10\0\0\0Kestrane Diagram", 26));
  EXPECT_EQ(Hex(RecordBuilder().Int32("I", kMin).Bytes()), "49 20 00 00 00 80");
  EXPECT_EQ(Hex(RecordBuilder().Color("C", 0x00FFFFFF).Color("C", 0x00004080).Bytes()),
            "43 20 FF FF FF 00 43 20 80 40 00 00");
  EXPECT_EQ(Hex(RecordBuilder().Double("B", 1.0).Bytes()), "42 20 00 00 00 00 00 00 F0 3F");
  EXPECT_EQ(Hex(RecordBuilder().Single("F", 1.0f).UInt8("U", 200).Bytes()), "46 20 00 00 80 3F 55 20 C8");
}

TEST(RecordTest, AppliesEveryEntryInOrderThroughTheSuperclassChain) {
  const std::string rec = RecordBuilder()
                              .Int32("Index", kMin)
                              .String("Title", "")
                              .Color("BackgroundColor", 0x00004080)
                              .Single("FontSize", 10.5f)
                              .Double("BorderThickness", 1.0)
                              .UInt8("FontUnit", 3)
                              .String("Title", "Kestrane Diagram")
                              .Boolean("Visible", true)  // the record ends with its single byte
                              .Bytes();
  FancyGadget g;
  ApplyPropertyBlob(g, rec);
  EXPECT_EQ(g.log, (std::vector<std::string>{"begin", "Index", "Title", "BackgroundColor", "FontSize",
                                             "BorderThickness", "FontUnit", "Title", "Visible", "end"}));
  ASSERT_EQ(g.values.size(), 8u);
  EXPECT_EQ(g.values[0].i, kMin);
  EXPECT_EQ(g.values[1].s, "");
  EXPECT_EQ(g.values[2].color, (Color{0x00, 0x40, 0x80, 0}));
  EXPECT_EQ(g.values[3].f, 10.5f);
  EXPECT_EQ(g.values[4].d, 1.0);
  EXPECT_EQ(g.values[5].u, 3);
  EXPECT_EQ(g.values[6].s, "Kestrane Diagram");
  EXPECT_TRUE(g.values[7].b);

  // The empty text takes four bytes and the next name follows right after.
  const auto entries = DecodePropertyRecord(Gadget::Class(), std::string("Title \0\0\0\0Visible \x01", 19));
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[1].first, "Visible");

  EXPECT_TRUE(FancyGadget::Class().IsA(Gadget::Class()));
  EXPECT_FALSE(Gadget::Class().IsA(FancyGadget::Class()));
  Gadget empty;
  ApplyPropertyBlob(empty, "");
  EXPECT_EQ(empty.log, (std::vector<std::string>{"begin", "end"}));
}

TEST(RecordTest, MalformedRecordsRaiseAndSetNothing) {
  const std::string good = RecordBuilder().Int32("Width", 5).Bytes();  // 10 bytes, so errors lie at 10+
  const struct {
    const char* what;
    std::string record;
    const char* mentions;
  } cases[] = {
      {"unknown name", good + RecordBuilder().Int32("Height", 1).Bytes(), "\"Height\" at offset 10"},
      {"subclass name on the base", good + RecordBuilder().Single("FontSize", 1).Bytes(), "FontSize"},
      {"truncated Int32", good + std::string("Index \x01\x02\x03", 9), "Index"},
      {"text shorter than its length", good + std::string("Title \x05\0\0\0abcd", 14), "Title"},
      {"length far beyond the end", good + std::string("Title \xFF\xFF\xFF\x7F", 10), "Title"},
      {"negative length", good + std::string("Title \xFE\xFF\xFF\xFF", 10), "Title"},
      {"name without separator", good + "Visible", "Visible"},
      {"empty name", good + std::string(" \x01", 2), "offset 10"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Gadget g;
    try {
      ApplyPropertyBlob(g, c.record);
      ADD_FAILURE() << "no exception";
    } catch (const PropertyRecordException& e) {
      const std::string msg = e.what();
      EXPECT_NE(msg.find(c.mentions), std::string::npos) << msg;
      EXPECT_NE(msg.find("offset"), std::string::npos) << msg;
    }
    EXPECT_TRUE(g.log.empty());
  }
}

}  // namespace
