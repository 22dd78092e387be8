#include <gtest/gtest.h>

#include <QPushButton>
#include <QTemporaryDir>
#include <QtCharts/QAbstractSeries>
#include <QtCharts/QChart>

#include "panel/RunCompare.h"
#include "runs/AiaCdf.h"
#include "runs/RunFiles.h"
#include "widgets/TMessageDlg.h"

namespace orvane::panel {
namespace {

runs::TRun MakeRun(const char* name, std::int64_t start, std::initializer_list<std::int64_t> at) {
  runs::TRun run;
  run.sampleName = name;
  run.start = start;
  for (const std::int64_t ms : at)
    run.readings.push_back({start + ms, static_cast<double>(ms) / 100, 0x80, 0x30});
  run.end = run.readings.back().time;
  return run;
}

// Two runs recorded on different days are laid over each other from their
// injections; the sample's outage breaks its trace, nothing bridges it. A
// file that is no run is told and leaves the plot as it was.
TEST(RunCompareTest, TwoRunsShareTheTimeFromInjectionAndKeepTheirOutages) {
  QTemporaryDir folder;
  const QString standard = folder.filePath("standard.cdf");
  ASSERT_EQ(runs::WriteAiaCdf(MakeRun("Se std", 1'782'900'000'000, {600, 1200, 1800, 2400}),
                              standard.toStdString()),
            "");
  TRunCompare compare(nullptr);
  compare.resize(700, 400);
  compare.show();
  compare.OpenFile(standard, false);
  compare.Show(MakeRun("Se sample", 1'783'000'000'000, {600, 1200, 30'000, 30'600}), true);
  ASSERT_EQ(compare.Runs(), 2u);
  EXPECT_EQ(compare.Pieces(0).size(), 1);
  EXPECT_EQ(compare.Pieces(0).front().front(), QPointF(0.6, 6));
  ASSERT_EQ(compare.Pieces(1).size(), 2);
  EXPECT_EQ(compare.Pieces(1)[0].front(), QPointF(0.6, 6));
  EXPECT_EQ(compare.Pieces(1)[1].back(), QPointF(30.6, 306));
  QStringList names;
  for (const QAbstractSeries* series : compare.Chart().series()) {
    if (!series->name().isEmpty()) names << series->name();
  }
  EXPECT_EQ(names, (QStringList{"Se std", "Se sample"}));

  QStringList told;
  widgets::TMessageDlg::SetScript([&](const widgets::TMessageRequest& request) {
    told << request.text;
    return widgets::mrClose;
  });
  compare.OpenFile(folder.filePath("missing.cdf"), true);
  widgets::TMessageDlg::SetScript({});
  EXPECT_EQ(told.size(), 1);
  EXPECT_EQ(compare.Runs(), 2u);

  compare.OpenFile(standard, false);
  EXPECT_EQ(compare.Runs(), 1u);
}

}  // namespace
}  // namespace orvane::panel
