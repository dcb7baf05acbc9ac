// The control record: its bytes, the reading rule, and loading a record
// back into the restore state.
#include "format/control_record.h"

#include <gtest/gtest.h>

#include "platform/error.h"
#include "restore/main_form.h"
#include "support/bench.h"

namespace tavrix {
namespace {

using testing::Bench;

ControlRecord Sample() {
  ControlRecord r;
  r.source_path = "/home/ann/big.zip";
  r.date = "02/13/26 10:20:30";
  r.pieces = 3;
  r.size = 3000000;
  r.serial = "235.714";
  r.description = "02-13-2026";
  return r;
}

TEST(FormatControlRecord, PlainFieldsAreWrittenAsTheyStand) {
  EXPECT_EQ(FormatControlRecord(Sample()),
            std::string(kControlBanner) +
                "\r\n/home/ann/big.zip\r\n02/13/26 10:20:30\r\n 3\r\n 3000000\r\n235.714\r\n"
                "02-13-2026\r\n");
}

TEST(FitControlRecord, ShortensTheDescriptionThenThePath) {
  ControlRecord fits = FitControlRecord(Sample(), 512, 512);
  EXPECT_EQ(FormatControlRecord(fits), FormatControlRecord(Sample()));

  ControlRecord unknown = Sample();
  unknown.description = std::string(2000, 'd');
  EXPECT_EQ(FitControlRecord(unknown, 0, 0).description, unknown.description);

  ControlRecord wordy = Sample();
  wordy.description = std::string(2000, 'd');
  ControlRecord fitted = FitControlRecord(wordy, 512, 512);
  EXPECT_LE(FormatControlRecord(fitted).size(), 512u);
  EXPECT_GT(FormatControlRecord(fitted).size(), 500u) << "no more is cut than needed";
  EXPECT_EQ(fitted.source_path, "/home/ann/big.zip");

  ControlRecord deep = Sample();
  deep.source_path = "/" + std::string(600, 'p') + "/big.zip";
  deep.description = "notes";
  ControlRecord cut = FitControlRecord(deep, 512, 512);
  EXPECT_EQ(cut.source_path, "big.zip");
  EXPECT_EQ(cut.description, "[No Description]");
  EXPECT_LE(FormatControlRecord(cut).size(), 512u);
}

TEST(FormatControlRecord, FieldsTheRuleWouldCutAreQuoted) {
  struct Case {
    const char* text;
    const char* written;
  } cases[] = {
      {"a, b", "\"a, b\""},
      {"  lead", "\"  lead\""},
      {"\"quoted\"", "\"'quoted'\""},
      {"with, \"inner\"", "\"with, 'inner'\""},
      {"mid\"dle", "mid\"dle"},          // a quote inside a plain field is harmless
      {"line\r\nbreak", "line  break"},  // CR and LF become blanks
      {"\nx", "\" x\""},                 // ... which may then lead the field
      {"", ""},
  };
  for (const auto& c : cases) {
    ControlRecord r = Sample();
    r.description = c.text;
    std::string bytes = FormatControlRecord(r);
    std::string last = bytes.substr(bytes.rfind("235.714\r\n") + 9);
    EXPECT_EQ(last, std::string(c.written) + "\r\n") << c.text;
  }
}

TEST(ControlRecordDate, LocaleShortDateAndLongTimeWithoutCommas) {
  std::tm t = testing::FixedClock().now();
  std::string date = ControlRecordDate(t);
  EXPECT_EQ(date, "02/13/26 10:20:30");  // the tests run in the C locale
  EXPECT_EQ(date.find(','), std::string::npos);
}

TEST(ReadRecordFields, ReadingRule) {
  using V = std::vector<std::string>;
  struct Case {
    const char* content;
    V fields;
  } cases[] = {
      {"a\r\nb\r\n", V{"a", "b"}},
      {"  lead\r\n", V{"lead"}},
      {"a,b\r\nc\r\n", V{"a", "b", "c"}},
      {"a, b ,c\r\n", V{"a", "b ", "c"}},
      {"\"x, y\"\r\n", V{"x, y"}},
      {"  \"q\" tail,next\r\n", V{"q", "next"}},
      {"\"open\r\nz\r\n", V{"open", "z"}},  // an unclosed quote ends with its line
      {"a,\r\n", V{"a", ""}},
      {"\r\n\r\n", V{"", ""}},
      {"a\nb\rc", V{"a", "b", "c"}},
      {"12abc\r\n", V{"12abc"}},
      {"", V{}},
      {"no end", V{"no end"}},
  };
  for (const auto& c : cases) EXPECT_EQ(ReadRecordFields(c.content), c.fields) << c.content;
}

TEST(RecordFieldReader, KeepsOnlyTheFirstFieldsButCountsAll) {
  RecordFieldReader reader(2);
  std::string text = "a,b,c\r\nd\r\n";
  // Fed a byte at a time: a CR LF split across two calls is one line end.
  for (char ch : text) reader.Feed(&ch, 1);
  reader.Finish();
  EXPECT_EQ(reader.fields(), (std::vector<std::string>{"a", "b"}));
  EXPECT_EQ(reader.count(), 4u);
}

TEST(DisplayText, InvalidUtf8IsTakenAsLatin1) {
  EXPECT_EQ(DisplayText("caf\xc3\xa9"), "caf\xc3\xa9");
  EXPECT_EQ(DisplayText("caf\xe9"), "caf\xc3\xa9");
  EXPECT_EQ(DisplayText("\xc0\xaf"), "\xc3\x80\xc2\xaf");  // an overlong form is not UTF-8
  EXPECT_EQ(DisplayText("plain"), "plain");
}

// A restore in progress whose floppy in a: carries the record.
class ReadControlRecordTest : public ::testing::Test {
 protected:
  void SetUp() override {
    bench.NewFloppy("last");
    bench.Insert("last");
    form().r.SourceFile = "a:\\Tx~3.0";
    form().r.SerialNumber = "Tx~SN235.714";
    form().r.TargetDrive = "c:\\";
  }
  MainForm& form() { return *bench.form; }
  void Put(const std::string& bytes) { Bench::WriteFile(bench.a_dir + "/Tx~ctl.dat", bytes); }
  bool Loaded() { return form().r.OriginalSize != 0 || !form().r.OriginalName.empty(); }

  Bench bench;
};

TEST_F(ReadControlRecordTest, LoadsARecordOfThisSet) {
  Put(FormatControlRecord(Sample()));
  EXPECT_EQ(ReadControlRecord(form()), 0);
  EXPECT_EQ(form().r.OriginalName, "c:\\big.zip");
  EXPECT_EQ(form().r.OriginalDate, "02/13/26 10:20:30");
  EXPECT_EQ(form().r.RecordPieces, 3);
  EXPECT_EQ(form().r.OriginalSize, 3000000);
  EXPECT_EQ(form().r.RecordSerial, "235.714");
  EXPECT_EQ(form().r.SetDescription, "02-13-2026");
  EXPECT_EQ(form().Text(StatusText::kLabel1), "Found control file ... loading");
  EXPECT_EQ(form().Text(StatusText::kLabel7), "Original file name is /home/ann/big.zip");
  EXPECT_EQ(form().Text(StatusText::kCaption), "Tavrix <> 02-13-2026");
}

TEST_F(ReadControlRecordTest, RoundTripsCommasLeadingBlanksAndQuotes) {
  struct Case {
    const char* path;
    const char* description;
    const char* description_read;
  } cases[] = {
      {"C:\\a, b\\big.zip", "first, second", "first, second"},
      {"  C:\\lead\\big.zip", "   indented", "   indented"},
      {"\"C:\\q\\big.zip", "\"said\" so", "'said' so"},
      {"C:\\x\\big.zip", "tail blank ", "tail blank "},
  };
  for (const auto& c : cases) {
    ControlRecord r = Sample();
    r.source_path = c.path;
    r.description = c.description;
    Put(FormatControlRecord(r));
    form().r.OriginalName.clear();
    ReadControlRecord(form());
    EXPECT_EQ(form().r.OriginalName, "c:\\big.zip") << c.path;
    EXPECT_EQ(form().r.SetDescription, c.description_read) << c.description;
    EXPECT_EQ(form().r.OriginalSize, 3000000);
    std::string shown_path = c.path[0] == '"' ? "'" + std::string(c.path + 1) : c.path;
    EXPECT_EQ(form().Text(StatusText::kLabel7), "Original file name is " + shown_path);
  }
}

TEST_F(ReadControlRecordTest, RecordsThatAreIgnored) {
  std::string plain = FormatControlRecord(Sample());
  struct Case {
    const char* name;
    std::string bytes;
    std::string serial;
  } cases[] = {
      {"another set", plain, "Tx~SN235.715"},
      {"no serial known", plain, ""},
      {"five lines", plain.substr(0, plain.find("235.714")), "Tx~SN235.714"},
      // The format's plain form: an unquoted comma shifts every later field.
      {"comma in path",
       std::string(kControlBanner) + "\r\nC:\\a,b\\big.zip\r\n02/13/26 10:20:30\r\n 3\r\n"
                                     " 3000000\r\n235.714\r\nd\r\n",
       "Tx~SN235.714"},
      {"comma in date",
       std::string(kControlBanner) + "\r\nC:\\big.zip\r\nFri, 13 Feb\r\n 3\r\n"
                                     " 3000000\r\n235.714\r\nd\r\n",
       "Tx~SN235.714"},
  };
  for (const auto& c : cases) {
    Put(c.bytes);
    form().r.SerialNumber = c.serial;
    form().SetCaption("Tavrix");
    form().SetText(StatusText::kLabel7, "");
    ReadControlRecord(form());
    EXPECT_FALSE(Loaded()) << c.name;
    EXPECT_EQ(form().Text(StatusText::kCaption), "Tavrix") << c.name;
    EXPECT_EQ(form().Text(StatusText::kLabel7), "") << c.name;
    EXPECT_EQ(form().Text(StatusText::kLabel1), "Found control file ... loading") << c.name;
  }
}

TEST_F(ReadControlRecordTest, SerialCaseDoesNotMatter) {
  ControlRecord r = Sample();
  r.serial = "235.714";
  Put(FormatControlRecord(r));
  form().r.SerialNumber = "TX~sn235.714";
  ReadControlRecord(form());
  EXPECT_EQ(form().r.OriginalSize, 3000000);
}

TEST_F(ReadControlRecordTest, NoDescriptionLeavesTheCaption) {
  ControlRecord r = Sample();
  r.description = kNoDescription;
  Put(FormatControlRecord(r));
  ReadControlRecord(form());
  EXPECT_EQ(form().r.SetDescription, kNoDescription);
  EXPECT_EQ(form().Text(StatusText::kCaption), "Tavrix");
}

TEST_F(ReadControlRecordTest, LatinOneTextIsShownAsSuch) {
  ControlRecord r = Sample();
  r.source_path = "C:\\caf\xe9.txt";
  r.description = "r\xe9sum\xe9";
  Put(FormatControlRecord(r));
  ReadControlRecord(form());
  EXPECT_EQ(form().r.SetDescription, "r\xc3\xa9sum\xc3\xa9");
  EXPECT_EQ(form().Text(StatusText::kLabel7), "Original file name is C:\\caf\xc3\xa9.txt");
}

TEST_F(ReadControlRecordTest, OversizedCountsRaiseOverflow) {
  struct Case {
    int64_t pieces;
    int64_t size;
    bool overflow;
  } cases[] = {
      {32767, 2147483647, false},
      {32768, 1, true},
      {1, 2147483648LL, true},
  };
  for (const auto& c : cases) {
    ControlRecord r = Sample();
    r.pieces = c.pieces;
    r.size = c.size;
    Put(FormatControlRecord(r));
    if (c.overflow) {
      try {
        ReadControlRecord(form());
        ADD_FAILURE() << "no overflow for " << c.pieces << " " << c.size;
      } catch (const Error& e) {
        EXPECT_EQ(e.number(), kOverflow);
      }
    } else {
      ReadControlRecord(form());
      EXPECT_EQ(form().r.OriginalSize, c.size);
      EXPECT_EQ(form().r.RecordPieces, c.pieces);
    }
  }
}

TEST_F(ReadControlRecordTest, MissingRecordRaisesFileNotFound) {
  try {
    ReadControlRecord(form());
    ADD_FAILURE() << "no error";
  } catch (const Error& e) {
    EXPECT_EQ(e.number(), kFileNotFound);
  }
}

// A record cut at every byte: never a crash, and loaded only once the
// serial line is whole.
TEST_F(ReadControlRecordTest, TruncatedAtEveryByte) {
  ControlRecord r = Sample();
  r.source_path = "C:\\a, b\\big.zip";
  std::string full = FormatControlRecord(r);
  size_t serial_end = full.find("235.714\r\n") + 7;
  for (size_t cut = 0; cut <= full.size(); ++cut) {
    Put(full.substr(0, cut));
    form().r.OriginalName.clear();
    form().r.OriginalSize = 0;
    ASSERT_NO_THROW(ReadControlRecord(form())) << cut;
    EXPECT_EQ(Loaded(), cut >= serial_end) << cut;
    if (cut >= serial_end) {
      EXPECT_EQ(form().r.OriginalSize, 3000000) << cut;
      EXPECT_EQ(form().r.OriginalName, "c:\\big.zip") << cut;
    }
  }
}

}  // namespace
}  // namespace tavrix
