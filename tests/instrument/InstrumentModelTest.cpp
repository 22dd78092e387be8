#include <gtest/gtest.h>

#include <string>

#include "instrument/InstrumentModel.h"

namespace orvane::instrument {
namespace {

// The splash records the model an identify answer names under its section,
// and the window loads that section back: the three must agree for both
// models, and an answer other than 0 is model A.
TEST(InstrumentModelTest, AnIdentifyAnswerLeadsToTheModelsOwnSection) {
  EXPECT_STREQ(SectionOf(ModelOfIdentity(kModelAIdentity)), "PY");
  EXPECT_STREQ(SectionOf(ModelOfIdentity(0x7F)), "PY");
  EXPECT_STREQ(SectionOf(ModelOfIdentity(kModelBIdentity)), "RV");
  EXPECT_EQ(SectionOf(""), nullptr);
  EXPECT_EQ(SectionOf("Unknown"), nullptr);
}

// A hand-edited ComPort that names no port asks the operator (0) in the
// splash and the window alike, rather than opening some other port.
TEST(InstrumentModelTest, OnlyAStoredPortNumberNamesAPort) {
  for (int stored : {1, 3, 50, 65535}) EXPECT_EQ(PortNumber(stored), stored) << stored;
  for (int stored : {0, -1, -65535, 65536, 70000}) EXPECT_EQ(PortNumber(stored), 0) << stored;
}

}  // namespace
}  // namespace orvane::instrument
