#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

#include "toolkit/Object.h"
#include "toolkit/PropertyRecord.h"

namespace {

// A small class pair with their own class records: the base declares the
// frame properties, the subclass adds its own and shadows nothing.
class Gadget : public Object {
 public:
  static const ClassInfo& Class();
  const ClassInfo& GetClassInfo() const override { return Class(); }
  void BeginPropertyRecord() override { log.push_back("begin"); }
  void EndPropertyRecord() override { log.push_back("end"); }

  int32_t width = 0;
  int32_t index = 0;
  bool visible = false;
  std::string title = "untouched";
  std::vector<std::string> log;  // every setter call and the bracket, in order
};

class FancyGadget : public Gadget {
 public:
  static const ClassInfo& Class();
  const ClassInfo& GetClassInfo() const override { return Class(); }
  Color background{};
  float fontSize = -1.0f;
  double border = -1.0;
  uint8_t unit = 0;
  std::string name;
};

template <class T>
PropertyDecl Decl(const char* name, PropType type, void (*apply)(T&, const PropertyValue&)) {
  return PropertyDecl{name, type, [name, apply](Object& o, const PropertyValue& v) {
                        T& t = static_cast<T&>(o);
                        t.log.push_back(name);
                        apply(t, v);
                      }};
}

const ClassInfo& Gadget::Class() {
  static const ClassInfo info(
      "Gadget", nullptr,
      {Decl<Gadget>("Width", PropType::Int32, [](Gadget& g, const PropertyValue& v) { g.width = v.i; }),
       Decl<Gadget>("Index", PropType::Int32, [](Gadget& g, const PropertyValue& v) { g.index = v.i; }),
       Decl<Gadget>("Visible", PropType::Boolean, [](Gadget& g, const PropertyValue& v) { g.visible = v.b; }),
       Decl<Gadget>("Title", PropType::String, [](Gadget& g, const PropertyValue& v) { g.title = v.s; })});
  return info;
}

const ClassInfo& FancyGadget::Class() {
  static const ClassInfo info(
      "FancyGadget", &Gadget::Class(),
      {Decl<FancyGadget>("BackgroundColor", PropType::Color,
                         [](FancyGadget& g, const PropertyValue& v) { g.background = v.color; }),
       Decl<FancyGadget>("FontSize", PropType::Single,
                         [](FancyGadget& g, const PropertyValue& v) { g.fontSize = v.f; }),
       Decl<FancyGadget>("BorderThickness", PropType::Double,
                         [](FancyGadget& g, const PropertyValue& v) { g.border = v.d; }),
       Decl<FancyGadget>("FontUnit", PropType::UInt8,
                         [](FancyGadget& g, const PropertyValue& v) { g.unit = v.u; }),
       Decl<FancyGadget>("Name", PropType::String,
                         [](FancyGadget& g, const PropertyValue& v) { g.name = v.s; })});
  return info;
}

std::string Hex(const std::string& bytes) {
  static const char* digits = "0123456789ABCDEF";
  std::string out;
  for (unsigned char c : bytes) {
    if (!out.empty()) out += ' ';
    out += digits[c >> 4];
    out += digits[c & 0xF];
  }
  return out;
}

TEST(RecordTest, EncodesEntriesByteForByte) {
  EXPECT_EQ(Hex(RecordBuilder().Int32("Width", 894).Bytes()), "57 69 64 74 68 20 7E 03 00 00");
  EXPECT_EQ(Hex(RecordBuilder().Boolean("Visible", true).Bytes()), "56 69 73 69 62 6C 65 20 01");
  EXPECT_EQ(RecordBuilder().String("Title", "Kestrane Diagram").Bytes(),
            std::string("Title \x10\0\0\0Kestrane Diagram", 26));
  EXPECT_EQ(Hex(RecordBuilder().Int32("Index", std::numeric_limits<int32_t>::min()).Bytes()).substr(18),
            "00 00 00 80");
  EXPECT_EQ(Hex(RecordBuilder().Color("C", 0x00FFFFFF).Bytes()), "43 20 FF FF FF 00");
  EXPECT_EQ(Hex(RecordBuilder().Color("C", 0x00004080).Bytes()), "43 20 80 40 00 00");
  EXPECT_EQ(Hex(RecordBuilder().Double("B", 1.0).Bytes()), "42 20 00 00 00 00 00 00 F0 3F");
  EXPECT_EQ(Hex(RecordBuilder().Single("F", 0.0f).Bytes()), "46 20 00 00 00 00");
  EXPECT_EQ(Hex(RecordBuilder().UInt8("U", 200).Bytes()), "55 20 C8");
}

TEST(RecordTest, AppliesEveryTypeInOrderThroughTheSuperclassChain) {
  const std::string rec = RecordBuilder()
                              .Int32("Width", 894)
                              .String("Name", "")
                              .Int32("Index", std::numeric_limits<int32_t>::min())
                              .Color("BackgroundColor", 0x00004080)
                              .Single("FontSize", 10.5f)
                              .Double("BorderThickness", 1.0)
                              .UInt8("FontUnit", 3)
                              .String("Title", "Kestrane Diagram")
                              .Boolean("Visible", true)
                              .Bytes();
  FancyGadget g;
  ApplyPropertyBlob(g, rec);
  EXPECT_EQ(g.width, 894);
  EXPECT_EQ(g.name, "");
  EXPECT_EQ(g.index, std::numeric_limits<int32_t>::min());
  EXPECT_EQ(g.background, (Color{0x00, 0x40, 0x80, 0}));
  EXPECT_EQ(g.fontSize, 10.5f);
  EXPECT_EQ(g.border, 1.0);
  EXPECT_EQ(g.unit, 3);
  EXPECT_EQ(g.title, "Kestrane Diagram");
  EXPECT_TRUE(g.visible);
  EXPECT_EQ(g.log, (std::vector<std::string>{"begin", "Width", "Name", "Index", "BackgroundColor", "FontSize",
                                             "BorderThickness", "FontUnit", "Title", "Visible", "end"}));
}

TEST(RecordTest, EmptyTextTakesFourBytesAndTheNextNameFollows) {
  const std::string rec = RecordBuilder().String("Title", "").Boolean("Visible", true).Bytes();
  EXPECT_EQ(rec, std::string("Title \0\0\0\0Visible \x01", 19));
  const auto entries = DecodePropertyRecord(Gadget::Class(), rec);
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[0].first, "Title");
  EXPECT_EQ(entries[0].second.type, PropType::String);
  EXPECT_EQ(entries[0].second.s, "");
  EXPECT_EQ(entries[1].first, "Visible");
  EXPECT_TRUE(entries[1].second.b);
}

TEST(RecordTest, EmptyRecordOnlyBrackets) {
  Gadget g;
  ApplyPropertyBlob(g, "");
  EXPECT_EQ(g.log, (std::vector<std::string>{"begin", "end"}));
}

TEST(RecordTest, SubclassPropertiesAreUnknownToTheBase) {
  EXPECT_NE(FancyGadget::Class().FindProperty("Width"), nullptr);
  EXPECT_EQ(Gadget::Class().FindProperty("FontSize"), nullptr);
  EXPECT_TRUE(FancyGadget::Class().IsA(Gadget::Class()));
  EXPECT_TRUE(Gadget::Class().IsA(Gadget::Class()));
  EXPECT_FALSE(Gadget::Class().IsA(FancyGadget::Class()));
  Gadget g;
  EXPECT_THROW(ApplyPropertyBlob(g, RecordBuilder().Single("FontSize", 1).Bytes()), PropertyRecordException);
}

struct Malformed {
  const char* what;
  std::string record;
  const char* mentions;  // text the message must contain
};

TEST(RecordTest, MalformedRecordsRaiseAndSetNothing) {
  const std::string good = RecordBuilder().Int32("Width", 5).Bytes();  // 10 bytes
  const std::vector<Malformed> cases = {
      {"unknown name", good + RecordBuilder().Int32("Height", 1).Bytes(), "Height"},
      {"truncated Int32", good + std::string("Index \x01\x02\x03", 9), "Index"},
      {"truncated length of a text", good + std::string("Title \x05\x00", 8), "Title"},
      {"text shorter than its length", good + std::string("Title \x05\0\0\0abcd", 14), "Title"},
      {"length far beyond the end", good + std::string("Title \xFF\xFF\xFF\x7F", 10), "Title"},
      {"negative length", good + std::string("Title \xFE\xFF\xFF\xFF", 10), "Title"},
      {"name without separator", good + "Visible", "Visible"},
      {"value missing after separator", good + "Visible ", "Visible"},
      {"empty name", good + std::string(" \x01", 2), "offset 10"},
  };
  for (const Malformed& c : cases) {
    SCOPED_TRACE(c.what);
    FancyGadget g;
    try {
      ApplyPropertyBlob(g, c.record);
      ADD_FAILURE() << "no exception";
    } catch (const PropertyRecordException& e) {
      EXPECT_NE(std::string(e.what()).find(c.mentions), std::string::npos) << e.what();
      EXPECT_NE(std::string(e.what()).find("offset"), std::string::npos) << e.what();
    }
    EXPECT_TRUE(g.log.empty()) << "first setter: " << g.log.front();
    EXPECT_EQ(g.width, 0);
    EXPECT_THROW(DecodePropertyRecord(FancyGadget::Class(), c.record), PropertyRecordException);
  }
}

TEST(RecordTest, ErrorNamesTheOffsetOfTheBadEntry) {
  Gadget g;
  const std::string rec = RecordBuilder().Boolean("Visible", true).Int32("Wdith", 1).Bytes();
  try {
    ApplyPropertyBlob(g, rec);
    FAIL() << "no exception";
  } catch (const PropertyRecordException& e) {
    const std::string msg = e.what();
    EXPECT_NE(msg.find("Wdith"), std::string::npos) << msg;
    EXPECT_NE(msg.find("offset 9"), std::string::npos) << msg;
    EXPECT_NE(msg.find("Gadget"), std::string::npos) << msg;
  }
}

TEST(RecordTest, FailingSetterStillClosesTheBracket) {
  static const ClassInfo picky("Picky", &Gadget::Class(),
                               {PropertyDecl{"Boom", PropType::Boolean, [](Object&, const PropertyValue&) {
                                               throw ToolkitException("boom");
                                             }}});
  struct Picky : Gadget {
    const ClassInfo& GetClassInfo() const override { return picky; }
  } g;
  const std::string rec = RecordBuilder().Int32("Width", 7).Boolean("Boom", true).Int32("Index", 3).Bytes();
  EXPECT_THROW(ApplyPropertyBlob(g, rec), ToolkitException);
  EXPECT_EQ(g.log, (std::vector<std::string>{"begin", "Width", "end"}));
  EXPECT_EQ(g.index, 0);
}

}  // namespace
