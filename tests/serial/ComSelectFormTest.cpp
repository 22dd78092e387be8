#include "serial/ComSelectForm.h"

#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <set>

#include "PortMapFixture.h"
#include "PtyPair.h"
#include "SamplePorts.h"
#include "widgets/TBoxCloser.h"

namespace orvane::serial {
namespace {

TComSelectForm::Probe Present(std::set<unsigned> ports) {
  return [ports = std::move(ports)](unsigned n) {
    return ports.contains(n) ? TPortPresence::Free : TPortPresence::Absent;
  };
}

// Runs the real modal loop and acts on the dialog once it is shown.
int RunModal(TComSelectForm& form, std::function<void(TComSelectForm&)> act) {
  QTimer::singleShot(0, &form, [&] { act(form); });
  return form.ShowModal();
}

TEST(ComSelectForm, ListsPresentPortsInOrderWithTheFirstSelected) {
  std::vector<unsigned> asked;
  TComSelectForm form(nullptr, [&](unsigned n) {
    asked.push_back(n);
    return n == 12 || n == 3 || n == 50 || n == 10 ? TPortPresence::Free : TPortPresence::Absent;
  });
  ASSERT_EQ(asked.size(), 50u);
  EXPECT_EQ(asked.front(), 1u);
  EXPECT_EQ(asked.back(), 50u);
  QComboBox* list = form.PortsComboBox();
  ASSERT_EQ(list->count(), 4);
  EXPECT_EQ(list->itemText(0), "COM3");
  EXPECT_EQ(list->itemText(1), "COM10");
  EXPECT_EQ(list->itemText(3), "COM50");
  EXPECT_EQ(form.SelectedCom(), "COM3");
  EXPECT_EQ(form.SelectedComNum(), 3);
  list->setCurrentIndex(1);
  EXPECT_EQ(form.SelectedComNum(), 10);
  EXPECT_FALSE(list->isEditable());
}

TEST(ComSelectForm, ModalResultsOfEachWayOut) {
  TComSelectForm form(nullptr, Present({7}));
  EXPECT_EQ(RunModal(form, [](auto& f) { QTest::keyClick(&f, Qt::Key_Return); }),
            TComSelectForm::mrOk);
  EXPECT_EQ(form.SelectedComNum(), 7);
  EXPECT_EQ(
      RunModal(form, [](auto& f) { f.template findChild<QPushButton*>("AbortBtn")->click(); }),
      TComSelectForm::mrAbort);
  EXPECT_EQ(RunModal(form, [](auto& f) { f.close(); }), TComSelectForm::mrCancel);
  // Escape is not a way out; the close box that follows is.
  EXPECT_EQ(RunModal(form,
                     [](auto& f) {
                       QTest::keyClick(&f, Qt::Key_Escape);
                       EXPECT_TRUE(f.isVisible());
                       f.close();
                     }),
            TComSelectForm::mrCancel);
}

TEST(ComSelectForm, OpensOnOkThenTabsToCancelAndTheList) {
  TComSelectForm form(nullptr, Present({2, 5}));
  std::vector<std::string> focused;
  RunModal(form, [&](TComSelectForm& shown) {
    for (QWidget* at = shown.focusWidget(); at != nullptr && focused.size() < 3;
         at = shown.focusWidget()) {
      focused.push_back(at->objectName().toStdString());
      QTest::keyClick(at, Qt::Key_Tab);
    }
    shown.close();
  });
  EXPECT_EQ(focused, (std::vector<std::string>{"OkBtn", "AbortBtn", "PortsComboBox"}));
}

TEST(ComSelectForm, OkOnAnEmptyListIsAConversionError) {
  TComSelectForm form(nullptr, Present({}));
  EXPECT_EQ(form.PortsComboBox()->currentIndex(), -1);
  EXPECT_EQ(form.SelectedCom(), "");
  EXPECT_EQ(RunModal(form, [](auto& f) { f.template findChild<QPushButton*>("OkBtn")->click(); }),
            TComSelectForm::mrOk);
  EXPECT_THROW(form.SelectedComNum(), EConvertError);
}

TEST(ComSelectForm, AScriptAnswersWithoutShowing) {
  TComSelectForm::SetScript([](TComSelectForm& f) {
    EXPECT_FALSE(f.isVisible());
    f.PortsComboBox()->setCurrentIndex(1);
    return TComSelectForm::mrOk;
  });
  TComSelectForm form(nullptr, Present({2, 4}));
  EXPECT_EQ(form.ShowModal(), TComSelectForm::mrOk);
  EXPECT_EQ(form.SelectedComNum(), 4);
  TComSelectForm::SetScript(nullptr);
}

// The one port question: the operator's choice as a number; none once the
// program ends the dialog, as it does when the link it asked about is back.
class AskPortNumberTest : public test::TPortMapFixture {};

TEST_F(AskPortNumberTest, GivesTheChoiceOrNoneWhenTheProgramEndsTheDialog) {
  test::TPtyPair pty;
  MapPorts({{4, pty.SlavePath()}});
  widgets::TBoxCloser closer;
  QTimer::singleShot(0, [] { QTest::keyClick(QApplication::activeModalWidget(), Qt::Key_Return); });
  EXPECT_EQ(AskPortNumber(nullptr, &closer), 4);
  QTimer::singleShot(0, [&] { closer.Close(); });
  EXPECT_EQ(AskPortNumber(nullptr, &closer), std::nullopt);
}

TEST(ComSelectForm, LayoutOfTheDialog) {
  TComSelectForm form(nullptr, Present({1}));
  EXPECT_EQ(form.windowTitle(), "Select Port");
  EXPECT_EQ(form.size(), QSize(220, 131));
  EXPECT_EQ(form.PortsComboBox()->geometry(), QRect(8, 64, 201, 21));
  EXPECT_EQ(form.findChild<QPushButton*>("OkBtn")->geometry(), QRect(6, 96, 85, 27));
  EXPECT_EQ(form.findChild<QPushButton*>("AbortBtn")->geometry(), QRect(126, 95, 85, 27));
  EXPECT_TRUE(form.findChild<QPushButton*>("OkBtn")->isDefault());
}

// Pixels of a row, right of the number, that differ from the row's far end.
int InkBesideTheNumber(const QImage& view, const QRect& row) {
  const QRgb blank = view.pixel(row.right() - 1, row.center().y());
  int ink = 0;
  for (int x = row.left() + 60; x < row.right() - 4; ++x) {
    for (int y = row.top(); y <= row.bottom(); ++y) ink += view.pixel(x, y) != blank;
  }
  return ink;
}

class ComSelectFormIdentification : public ::testing::Test {
 protected:
  QString Described(unsigned number, TPortPresence presence) const {
    return ports.Described(number, presence);
  }

  test::TSamplePorts ports;
  TComSelectForm form{nullptr, ports.Probe(), ports.Describe()};
};

TEST_F(ComSelectFormIdentification, ItemsStayPortNumbersAndTheClosedBoxTellsTheChosenDevice) {
  QComboBox* list = form.PortsComboBox();
  ASSERT_EQ(list->count(), 3);
  EXPECT_EQ(list->itemText(1), "COM17");
  EXPECT_EQ(list->itemData(1, TComSelectForm::kDescriptionRole).toString(),
            Described(17, TPortPresence::InUse));
  EXPECT_EQ(list->toolTip(), Described(3, TPortPresence::Free));
  // A screen reader reads the items of the list with their devices too.
  QAccessibleInterface* items = QAccessible::queryAccessibleInterface(list->view());
  EXPECT_EQ(items->child(1)->text(QAccessible::Description), Described(17, TPortPresence::InUse));
  list->setCurrentIndex(2);
  EXPECT_EQ(form.SelectedCom(), "COM33");
  EXPECT_EQ(form.SelectedComNum(), 33);
  EXPECT_EQ(list->toolTip(), Described(33, TPortPresence::NoPermission));
  EXPECT_TRUE(list->toolTip().contains("Arduino (www.arduino.cc) Uno R3"));
  EXPECT_TRUE(list->toolTip().endsWith("no permission: join the dialout group"));
}

TEST_F(ComSelectFormIdentification, TheOpenListShowsEachDeviceBesideItsNumber) {
  form.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
  QComboBox* list = form.PortsComboBox();
  list->showPopup();
  QAbstractItemView* view = list->view();
  QWidget* popup = view->window();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(popup));
  EXPECT_GT(popup->width(), list->width() + 150) << "the descriptions show whole";
  const QImage rows = view->viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
  for (int row = 0; row < list->count(); ++row) {
    EXPECT_GT(InkBesideTheNumber(rows, view->visualRect(list->model()->index(row, 0))), 50)
        << "row " << row;
  }
  list->hidePopup();
}

}  // namespace
}  // namespace orvane::serial
