#include <gtest/gtest.h>

#include <array>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "Fields.h"
#include "RecordValues.h"

namespace quilor {
namespace {

// What the values should read as, kept the plain way.
using Model = std::array<std::optional<FieldValue>, kFieldCount>;

// Field by field, and all fields at once, as the writers of whole records read them.
void ExpectSame(const RecordValues& values, const Model& model, const std::string& step) {
  const auto all = values.all();
  for (int field = 0; field < kFieldCount; ++field) {
    const std::optional<FieldValue>& want = model[std::size_t(field)];
    for (const FieldView& got : {values[field], all[std::size_t(field)]}) {
      ASSERT_EQ(got.isNull, !want.has_value()) << step << ", field " << field;
      if (!want) continue;
      EXPECT_EQ(got.text, want->text) << step << ", field " << field;
      EXPECT_EQ(got.number, want->number) << step << ", field " << field;
      EXPECT_EQ(got.flag, want->flag) << step << ", field " << field;
    }
  }
}

struct Step {
  const char* what;
  int field;
  enum { Text, Number, Flag, Null, Shrink } kind;
  std::string text;
  double number = 0;
  bool flag = false;
};

void Apply(const Step& step, RecordValues& values, Model& model) {
  FieldValue value;
  value.isNull = false;
  switch (step.kind) {
    case Step::Text:
      values.setText(step.field, step.text);
      value.text = step.text;
      break;
    case Step::Number:
      values.setNumber(step.field, step.number);
      value.number = step.number;
      break;
    case Step::Flag:
      values.setFlag(step.field, step.flag);
      value.flag = step.flag;
      break;
    case Step::Null:
      values.makeNull(step.field);
      model[std::size_t(step.field)].reset();
      return;
    case Step::Shrink:
      values.shrinkToFit();
      return;
  }
  model[std::size_t(step.field)] = value;
}

TEST(RecordValues, ReadBackWhatWasSetThroughAppendsReplacementsAndNulls) {
  const std::string nul("a\0b", 3);
  const std::vector<Step> steps{
      {"empty text is not null", Field::Title, Step::Text, ""},
      {"text after it", Field::UserName, Step::Text, "kullanici"},
      {"zero byte kept raw", Field::Password, Step::Text, nul},
      {"127 bytes: one length byte", Field::Password2, Step::Text, std::string(127, 'x')},
      {"128 bytes: two length bytes", Field::Description, Step::Text, std::string(128, 'y')},
      {"date", Field::CreatedDate, Step::Number, "", 39887.4375},
      {"negative date", Field::PasswordChangedDate, Step::Number, "", -693593},
      {"time", Field::PasswordChangedTime, Step::Number, "", 0.999988},
      {"false is not null", Field::ShowInTray, Step::Flag, "", 0, false},
      {"last field", Field::UserNameCaption, Step::Text, "Ad"},
      {"posted", 0, Step::Shrink, ""},
      {"first field, in front of all", Field::RecordNumber, Step::Text, "202601010000000000001"},
      {"middle grows", Field::UserName, Step::Text, std::string(400, 'u')},
      {"middle shrinks", Field::Password2, Step::Text, "k"},
      {"flag turns true", Field::ShowInTray, Step::Flag, "", 0, true},
      {"middle made null", Field::Description, Step::Null, ""},
      {"null again", Field::Description, Step::Null, ""},
      {"null of a field never set", Field::Code1, Step::Null, ""},
      {"a text past 16383 bytes", Field::AutoFillScript, Step::Text, std::string(20000, 's')},
      {"posted again", 0, Step::Shrink, ""},
      {"back to short", Field::AutoFillScript, Step::Text, "{TAB}"},
      {"number replaced", Field::CreatedDate, Step::Number, "", 1},
  };
  RecordValues values;
  Model model;
  for (const Step& step : steps) {
    Apply(step, values, model);
    ExpectSame(values, model, step.what);
  }
}

TEST(RecordValues, ManyChangesInAnyOrderMatchThePlainModel) {
  std::mt19937 random(20261211);
  RecordValues values;
  Model model;
  for (int i = 0; i < 3000; ++i) {
    const int field = int(random() % kFieldCount);
    Step step{"random step", field, Step::Text, ""};
    switch (random() % 5) {
      case 0:
        step.kind = Step::Null;
        break;
      case 1:
        step.kind = Step::Shrink;
        break;
      default:
        if (kFields[std::size_t(field)].kind == FieldKind::Boolean) {
          step.kind = Step::Flag;
          step.flag = random() % 2 == 0;
        } else if (kFields[std::size_t(field)].kind != FieldKind::Text) {
          step.kind = Step::Number;
          step.number = double(random() % 100000) / 7;
        } else {
          step.text = std::string(random() % 600, char('a' + random() % 26));
        }
    }
    Apply(step, values, model);
    ExpectSame(values, model, "step " + std::to_string(i));
    if (HasFatalFailure()) return;
  }
}

TEST(RecordValues, AValueCopiedFromTheSameRecordArrivesWhole) {
  RecordValues values;
  values.setText(Field::Title, "Banka");
  values.setText(Field::Description, std::string(300, 'd'));
  values.shrinkToFit();
  values.setText(Field::Title, values[Field::Description].text);
  values.setText(Field::Group, values[Field::Title].text.substr(0, 5));
  EXPECT_EQ(values[Field::Title].text, std::string(300, 'd'));
  EXPECT_EQ(values[Field::Group].text, "ddddd");
  EXPECT_EQ(values[Field::Description].text, std::string(300, 'd'));
}

TEST(RecordValues, CopiesStandAloneMovesTakeOverAndWipeEmpties) {
  RecordValues original;
  original.setText(Field::Password, "gizli");
  original.setNumber(Field::CreatedDate, 39887);
  RecordValues copy = original;
  original.setText(Field::Password, "baska");
  EXPECT_EQ(copy[Field::Password].text, "gizli");
  EXPECT_EQ(copy[Field::CreatedDate].number, 39887);

  RecordValues moved = std::move(copy);
  EXPECT_EQ(moved[Field::Password].text, "gizli");
  copy = moved;
  EXPECT_EQ(copy[Field::Password].text, "gizli");

  moved.wipe();
  for (int field = 0; field < kFieldCount; ++field) EXPECT_TRUE(moved[field].isNull);
  EXPECT_EQ(copy[Field::Password].text, "gizli");
  moved.setText(Field::Title, "yeni");
  EXPECT_EQ(moved[Field::Title].text, "yeni");
}

TEST(RecordValues, SetStoresWhatTheFieldsKindUsesAndNullRemoves) {
  RecordValues values;
  values.set(Field::Title, FieldValue{false, "Posta", 5, true});
  values.set(Field::CreatedDate, FieldValue{false, "ignored", 39887, false});
  values.set(Field::ShowInTray, FieldValue{false, "", 0, true});
  EXPECT_EQ(values[Field::Title].text, "Posta");
  EXPECT_EQ(values[Field::Title].number, 0);
  EXPECT_EQ(values[Field::CreatedDate].text, "");
  EXPECT_EQ(values[Field::CreatedDate].number, 39887);
  EXPECT_TRUE(values[Field::ShowInTray].flag);
  values.set(Field::Title, FieldValue{});
  EXPECT_TRUE(values[Field::Title].isNull);
  EXPECT_THROW(values.setText(kFieldCount, "x"), std::out_of_range);
}

}  // namespace
}  // namespace quilor
