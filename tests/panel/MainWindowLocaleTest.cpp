#include <gtest/gtest.h>

#include <algorithm>
#include <clocale>

#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QGraphicsTextItem>
#include <QLocale>
#include <QRegularExpression>
#include <QTableWidget>
#include <QtCharts/QChart>

#include "PanelRig.h"
#include "panel/TrendWindow.h"
#include "widgets/TRadioGroup.h"
#include "widgets/TTrackBar.h"

namespace orvane::panel::test {
namespace {

// A decimal-comma desktop, as GNOME's "Formats" setting gives: Qt's start
// has set the C library's locale from it, so printf and strtod use ','.
class MainWindowLocaleTest : public PanelRig {
 protected:
  void SetUp() override {
    PanelRig::SetUp();
    previous_ = std::setlocale(LC_ALL, nullptr);
    ASSERT_NE(std::setlocale(LC_ALL, "de_DE.UTF-8"), nullptr) << "scripts/setup generates it";
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
  }
  void TearDown() override {
    PanelRig::TearDown();
    QLocale::setDefault(QLocale::system());
    std::setlocale(LC_ALL, previous_.c_str());
  }
  bool Shows(const QLabel& label, const QString& pattern) {
    const QRegularExpression expression(pattern);
    return RunUntil([&] { return expression.match(label.text()).hasMatch(); }, 4000);
  }
  // The texts of the trend plot's axis labels.
  QStringList AxisLabels(TTrendWindow& trend) {
    QStringList texts;
    for (QGraphicsItem* item : trend.Chart().chart()->scene()->items()) {
      if (auto* text = qgraphicsitem_cast<QGraphicsTextItem*>(item)) texts << text->toPlainText();
    }
    return texts;
  }

  std::string previous_;
};

TEST_F(MainWindowLocaleTest, TheScreenShowsDecimalCommasAndTheCommandsStillGoOut) {
  StartSim('B');
  OpenWindow();
  ASSERT_TRUE(WaitConnected());
  EXPECT_TRUE(Shows(*C().Signal, R"(^ *\d+,\d{3}$)")) << C().Signal->text().toStdString();
  EXPECT_TRUE(Shows(*C().Label10, R"(^\d+,\d ma$)")) << C().Label10->text().toStdString();

  C().tbPump1->SetPosition(32);
  EXPECT_TRUE(RunUntil(
      [&] {
        const std::vector<std::string> sent = Received();
        return std::find(sent.begin(), sent.end(), "!J20") != sent.end();
      },
      3000));
  EXPECT_EQ(C().Label1->text(), "Pump 1: 13%");
  C().rgElements->SetItemIndex(1);
  EXPECT_EQ(C().Label5->text(), "20,0 ma");
  EXPECT_EQ(C().tbBoost->toolTip(), "25,1 ma");
  EXPECT_EQ(C().StringGrid1->item(1, 1)->text(), "    27,5");

  window->TrendOpener().Open();
  TTrendWindow& trend = *window->TrendOpener().Window();
  trend.FixedBox().click();
  trend.MinBox().setValue(0);
  trend.MaxBox().setValue(1);
  EXPECT_TRUE(RunUntil([&] { return AxisLabels(trend).contains("0,2"); }, 3000))
      << AxisLabels(trend).join(' ').toStdString();
  EXPECT_TRUE(errors.empty()) << errors.front().toStdString();
}

}  // namespace
}  // namespace orvane::panel::test
