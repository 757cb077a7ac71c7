#include <gtest/gtest.h>

#include "model/records.h"

namespace kandelor {
namespace {

TEST(RecordReader, ValuesAcrossLinesSeparatorsAndLineEnds) {
  // Blank lines supply nothing; CRLF, tabs, commas and slashes all end values;
  // one read statement continues onto the next line.
  RecordReader reader(" 1, 2/3\t 4\r\n\r\n   \n\t5 ,6\nname rest\n 'a b',\"x\"\"y\"  z\n", "f.dat");
  reader.beginRecord();
  std::vector<std::int32_t> numbers;
  for (int i = 0; i < 6; ++i) numbers.push_back(reader.readInteger());
  EXPECT_EQ(numbers, (std::vector<std::int32_t>{1, 2, 3, 4, 5, 6}));
  EXPECT_EQ(reader.line(), 4);
  reader.beginRecord();
  EXPECT_EQ(reader.readText(), "name");
  reader.beginRecord();  // skips "rest"
  EXPECT_EQ(reader.readText(), "a b");
  EXPECT_EQ(reader.readText(), "x\"y");
  EXPECT_EQ(reader.readText(), "z");
  EXPECT_EQ(reader.line(), 6);
  EXPECT_TRUE(reader.ok());
  EXPECT_EQ(reader.valuesRead(), 10);
}

TEST(RecordReader, BeginRecordSkipsExtraValuesOnTheLastLine) {
  RecordReader reader("1 2 3 4\n5\n6 7\n", "f.dat");
  reader.beginRecord();
  EXPECT_EQ(reader.readInteger(), 1);
  EXPECT_EQ(reader.readInteger(), 2);
  reader.beginRecord();
  EXPECT_EQ(reader.readInteger(), 5);
  reader.beginRecord();
  EXPECT_EQ(reader.readInteger(), 6);
  EXPECT_TRUE(reader.ok());
}

TEST(RecordReader, AcceptedNumberForms) {
  RecordReader reader("1 1. .5 -2.5E+03 1e5 1.5D2 +7 -0.0 1e-50 +12 -2147483648", "f.dat");
  reader.beginRecord();
  const std::vector<float> expected = {1.0f, 1.0f, 0.5f, -2500.0f, 1e5f, 150.0f, 7.0f, 0.0f, 0.0f};
  for (const float value : expected) EXPECT_EQ(reader.readReal(), value);
  EXPECT_EQ(reader.readInteger(), 12);
  EXPECT_EQ(reader.readInteger(), INT32_MIN);
  EXPECT_TRUE(reader.ok());
}

struct BadInput {
  const char* content;
  int goodValues;  // integers read before the bad value
  int line;
  const char* what;
  bool real;
};

TEST(RecordReader, ErrorsNameFileLineAndWhatWasExpected) {
  const BadInput cases[] = {
      {"\n\n abc\n", 0, 3, "expected an integer, found \"abc\"", false},
      {"1.5", 0, 1, "expected an integer, found \"1.5\"", false},
      {"2147483648", 0, 1, "expected an integer from -2147483648 to 2147483647", false},
      {"12x", 0, 1, "expected an integer, found \"12x\"", false},
      {"1e39", 0, 1, "expected a finite single-precision real number, found \"1e39\"", true},
      {"inf", 0, 1, "expected a finite single-precision real number", true},
      {"1.2.3", 0, 1, "expected a real number, found \"1.2.3\"", true},
      {"\n,5", 0, 2, "found an empty value", false},
      {"1\n\n", 1, 2, "the file ends here; expected an integer", false},
      {"", 0, 0, "the file is empty", true},
  };
  for (const BadInput& bad : cases) {
    SCOPED_TRACE(bad.content);
    RecordReader reader(bad.content, "new.dat");
    reader.beginRecord();
    for (int i = 0; i < bad.goodValues; ++i) reader.readInteger();
    bad.real ? reader.readReal() : reader.readInteger();
    ASSERT_FALSE(reader.ok());
    EXPECT_EQ(reader.error()->line, bad.line);
    EXPECT_NE(reader.error()->what.find(bad.what), std::string::npos) << reader.error()->what;
    const std::string message = reader.error()->message();
    EXPECT_NE(message.find("\"new.dat\""), std::string::npos) << message;
    if (bad.line > 0) {
      EXPECT_NE(message.find("line " + std::to_string(bad.line)), std::string::npos) << message;
    }
  }
}

TEST(RecordReader, ErrorsAreSticky) {
  RecordReader reader("x 5 6\n7\n", "f.dat");
  reader.beginRecord();
  EXPECT_EQ(reader.readInteger(), 0);
  EXPECT_EQ(reader.readInteger(), 0);
  reader.beginRecord();
  EXPECT_EQ(reader.readInteger(), 0);
  EXPECT_EQ(reader.readText(), "");
  EXPECT_EQ(reader.error()->line, 1);
  EXPECT_EQ(reader.valuesRead(), 0);
}

TEST(RecordReader, UnclosedOrRunOnQuotesAreErrors) {
  for (const char* content : {"'abc", "'abc'def", "\"a''"}) {
    RecordReader reader(content, "f.dat");
    reader.beginRecord();
    reader.readText();
    EXPECT_FALSE(reader.ok()) << content;
  }
}

}  // namespace
}  // namespace kandelor
