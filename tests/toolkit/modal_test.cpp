#include <gtest/gtest.h>

#include "tests/support/modal_recorder.h"
#include "toolkit/modal.h"

TEST(ModalSeam, RecordsMessageBoxesAndAnswersFromTheQueue) {
  testsupport::ScopedRecorder rec;
  rec.messageAnswers = {IDCANCEL};
  EXPECT_EQ(tk::ShowMessage(nullptr, L"text", L"cap", MB_OKCANCEL | MB_ICONINFORMATION), IDCANCEL);
  EXPECT_EQ(tk::ShowMessageNoCaption(nullptr, L"second", MB_OK), IDOK);
  ASSERT_EQ(rec.messages.size(), 2u);
  EXPECT_EQ(rec.messages[0].text, L"text");
  EXPECT_EQ(rec.messages[0].caption, L"cap");
  EXPECT_TRUE(rec.messages[0].hasCaption);
  EXPECT_EQ(rec.messages[0].type, static_cast<UINT>(MB_OKCANCEL | MB_ICONINFORMATION));
  EXPECT_FALSE(rec.messages[1].hasCaption);
}

TEST(ModalSeam, ScopedResponderRestoresThePreviousOne) {
  tk::ModalResponder* before = &tk::CurrentResponder();
  {
    testsupport::ScopedRecorder rec;
    EXPECT_EQ(&tk::CurrentResponder(), &rec);
  }
  EXPECT_EQ(&tk::CurrentResponder(), before);
}
