#include "panel/TrendChart.h"

#include <QDateTime>
#include <QGraphicsLineItem>
#include <QGraphicsRectItem>
#include <QGraphicsSimpleTextItem>
#include <QLocale>
#include <QPen>
#include <QtCharts/QDateTimeAxis>
#include <QtCharts/QLineSeries>
#include <QtCharts/QValueAxis>

#include <algorithm>
#include <cmath>

#include "instrument/Units.h"
#include "panel/ScreenNumber.h"
#include "trend/SettingLabels.h"

namespace orvane::panel {
namespace {

constexpr std::int64_t kSecondsFormatUpTo = 2 * 3600 * 1000;
const QColor kSignalColour(0, 0, 128);
const QColor kMarkerColour(192, 96, 0);
const QColor kGapFill(128, 128, 128, 48);
const QColor kGapCaption(96, 96, 96);
// Above the chart's own grid, axes and trace: a change that falls on a grid
// line is still seen, and its caption is read over the trace. The bands of
// the gaps lie above the grid and below the markers.
constexpr qreal kMarkerZ = 100;
constexpr qreal kGapZ = 50;

// The axis reads as the panel's read-outs do: the desktop's decimal
// separator, and no grouping of thousands, which the read-outs never show.
QLocale ScreenLocale() {
  QLocale locale;
  locale.setNumberOptions(QLocale::OmitGroupSeparator);
  return locale;
}

QPointF At(const trend::TTrendPoint& point) {
  return {static_cast<qreal>(point.time), point.signal};
}

// A flat signal still gets a readable band around it.
TTrendChart::TRange Padded(std::pair<double, double> extent) {
  const double pad = extent.second > extent.first ? (extent.second - extent.first) * 0.05
                                                  : std::max(1.0, std::fabs(extent.first) * 0.05);
  return {extent.first - pad, extent.second + pad};
}

// A step of 1, 2 or 5 times a power of ten that cuts `span` into about
// `parts`: the labels read as a person would mark the axis.
double RoundStep(double span, int parts) {
  const double raw = span / parts;
  const double power = std::pow(10.0, std::floor(std::log10(raw)));
  for (const double multiple : {1.0, 2.0, 5.0}) {
    if (raw <= multiple * power) return multiple * power;
  }
  return 10 * power;
}

// The first row whose last caption ends before `left`, else a new row while
// there is room, else the row that ends first.
std::size_t FreeRow(std::vector<qreal>& rowEnds, std::size_t rows, qreal left, qreal right) {
  auto row = std::find_if(rowEnds.begin(), rowEnds.end(), [&](qreal end) { return end < left; });
  if (row == rowEnds.end() && rowEnds.size() < rows) {
    row = rowEnds.insert(row, right);
  } else {
    if (row == rowEnds.end()) row = std::min_element(rowEnds.begin(), rowEnds.end());
    *row = right;
  }
  return static_cast<std::size_t>(row - rowEnds.begin());
}

QString TimeFormat(trend::TTimeWindow window) {
  return window.Length() <= kSecondsFormatUpTo ? "hh:mm:ss" : "dd MMM hh:mm";
}

QString ReadingText(double signal) { return ScreenNumber(units::FormatFixed(signal, 1, 3)); }

// What a screen reader says of the plot: the time it spans, the newest
// reading in it and the lowest and highest, with the read-out's decimals.
QString Summary(const trend::TTrendFrame& frame) {
  const auto extent = trend::SignalExtent(frame);
  if (!extent) return QStringLiteral("No readings");
  const QString format = TimeFormat(frame.window);
  const auto time = [&format](std::int64_t ms) {
    return QDateTime::fromMSecsSinceEpoch(ms).toString(format);
  };
  const trend::TColumnExtremes& last = frame.columns.back();
  const trend::TTrendPoint& latest = last.low.time > last.high.time ? last.low : last.high;
  return QString("Span %1 to %2; latest reading %3 at %4; range %5 to %6")
      .arg(time(frame.window.from), time(frame.window.to), ReadingText(latest.signal),
           time(latest.time), ReadingText(extent->first), ReadingText(extent->second));
}

QString Caption(const trend::TMarker& marker) {
  QStringList parts;
  if (marker.gainChanged)
    parts << "Gain " + QString::fromStdString(trend::GainLabel(marker.gainCode));
  if (marker.modeChanged) parts << QString::fromStdString(trend::ModeLabel(marker.modeCode));
  return parts.join(", ");
}

}  // namespace

std::vector<QList<QPointF>> EnvelopeLines(const std::vector<trend::TColumnExtremes>& columns) {
  std::vector<QList<QPointF>> lines(1);
  lines.back().reserve(static_cast<qsizetype>(columns.size() * 2));
  for (const trend::TColumnExtremes& column : columns) {
    if (column.afterGap) lines.emplace_back();
    QList<QPointF>& line = lines.back();
    const bool lowFirst = column.low.time <= column.high.time;
    line.append(At(lowFirst ? column.low : column.high));
    if (column.low != column.high) line.append(At(lowFirst ? column.high : column.low));
  }
  return lines;
}

TTrendChart::TTrendChart(QWidget* parent)
    : QChartView(new QChart, parent),
      chart_(chart()),
      time_(new QDateTimeAxis),
      signal_(new QValueAxis) {
  chart_->legend()->hide();
  chart_->setLocale(ScreenLocale());
  chart_->setLocalizeNumbers(true);
  chart_->setMargins(QMargins(4, 4, 8, 4));
  chart_->addAxis(time_, Qt::AlignBottom);
  chart_->addAxis(signal_, Qt::AlignLeft);
  Trace(0);
  time_->setTickCount(7);
  signal_->setTickType(QValueAxis::TicksDynamic);
  signal_->setTickAnchor(0);
  signal_->setTitleText("Signal");
  setAccessibleName("Signal trend chart");
  connect(chart_, &QChart::plotAreaChanged, this, [this] {
    PlaceMarkers();
    PlaceGaps();
  });
}

int TTrendChart::Columns() const {
  return std::max(1, static_cast<int>(chart_->plotArea().width()));
}

TTrendChart::TRange TTrendChart::SignalRange() const { return {signal_->min(), signal_->max()}; }

void TTrendChart::Show(const trend::TTrendFrame& frame, std::optional<TRange> fixed) {
  ShowTrace(frame.columns);
  SetTimeRange(frame.window);
  SetSignalRange(frame, fixed);
  markers_ = frame.markers;
  PlaceMarkers();
  gaps_ = frame.gaps;
  PlaceGaps();
  // Built with the repaint the new readings cause anyway; Qt tells listening
  // tools of a changed description, so only a real change is stored.
  if (const QString summary = Summary(frame); summary != accessibleDescription())
    setAccessibleDescription(summary);
}

void TTrendChart::ShowTrace(const std::vector<trend::TColumnExtremes>& columns) {
  const std::vector<QList<QPointF>> lines = EnvelopeLines(columns);
  for (std::size_t i = 0; i < lines.size(); ++i) Trace(i).replace(lines[i]);
  for (std::size_t i = lines.size(); i < traces_.size(); ++i) {
    if (traces_[i]->count() > 0) traces_[i]->clear();
  }
}

QLineSeries& TTrendChart::Trace(std::size_t index) {
  while (traces_.size() <= index) {
    auto* trace = new QLineSeries;
    chart_->addSeries(trace);
    trace->attachAxis(time_);
    trace->attachAxis(signal_);
    trace->setPen(QPen(kSignalColour, 1));
    traces_.push_back(trace);
  }
  return *traces_[index];
}

qreal TTrendChart::XOf(std::int64_t time) const {
  return chart_->mapToPosition(QPointF(static_cast<qreal>(time), 0), traces_.front()).x();
}

void TTrendChart::SetTimeRange(trend::TTimeWindow window) {
  time_->setFormat(TimeFormat(window));
  time_->setRange(QDateTime::fromMSecsSinceEpoch(window.from),
                  QDateTime::fromMSecsSinceEpoch(std::max(window.to, window.from + 1)));
}

void TTrendChart::SetSignalRange(const trend::TTrendFrame& frame, std::optional<TRange> fixed) {
  std::optional<TRange> range = fixed;
  if (!range) {
    const auto extent = trend::SignalExtent(frame);
    if (!extent) return;
    range = Padded(*extent);
  }
  signal_->setRange(range->first, range->second);
  SetSignalTicks(range->second - range->first);
}

// The range stays as fitted or fixed; only the ticks fall on round values.
void TTrendChart::SetSignalTicks(double span) {
  const double step = RoundStep(span, kSignalTicks);
  signal_->setTickInterval(step);
  const int decimals = std::clamp(static_cast<int>(-std::floor(std::log10(step))), 0, 3);
  signal_->setLabelFormat(QString("%.%1f").arg(decimals));
}

// The items are kept and reused: markers are few, and a repaint must not
// build and tear down scene items.
void TTrendChart::PlaceMarkers() {
  const QRectF area = chart_->plotArea();
  std::vector<qreal> rowEnds;
  for (std::size_t i = 0; i < markers_.size(); ++i) {
    const qreal x = XOf(markers_[i].time);
    TMarkerItems& items = MarkerItems(i);
    items.line->setLine(x, area.top(), x, area.bottom());
    items.caption->setText(Caption(markers_[i]));
    const QRectF box = items.caption->boundingRect();
    // Right of its line, unless that would leave the plot.
    const qreal left = x + 3 + box.width() <= area.right() ? x + 3 : x - 3 - box.width();
    const auto rows = static_cast<std::size_t>(std::max(1.0, area.height() / 3 / box.height()));
    const std::size_t row = FreeRow(rowEnds, rows, left, left + box.width());
    items.caption->setPos(left, area.top() + 2 + static_cast<qreal>(row) * box.height());
    items.line->show();
    items.caption->show();
  }
  for (std::size_t i = markers_.size(); i < markerItems_.size(); ++i) {
    markerItems_[i].line->hide();
    markerItems_[i].caption->hide();
  }
}

TTrendChart::TMarkerItems& TTrendChart::MarkerItems(std::size_t index) {
  while (markerItems_.size() <= index) {
    auto* line = new QGraphicsLineItem(chart_);
    line->setPen(QPen(kMarkerColour, 1, Qt::DashLine));
    line->setZValue(kMarkerZ);
    auto* caption = new QGraphicsSimpleTextItem(chart_);
    caption->setBrush(kMarkerColour);
    caption->setZValue(kMarkerZ);
    markerItems_.push_back({line, caption});
  }
  return markerItems_[index];
}

// A band at least a pixel wide, so that a short gap in a long span is still
// seen; its caption only where it fits.
void TTrendChart::PlaceGaps() {
  const QRectF area = chart_->plotArea();
  for (std::size_t i = 0; i < gaps_.size(); ++i) {
    const qreal left = std::max(XOf(gaps_[i].from), area.left());
    const qreal right = std::min(std::max(XOf(gaps_[i].to), left + 1), area.right());
    TGapItems& items = GapItems(i);
    items.band->setRect(left, area.top(), right - left, area.height());
    const QRectF box = items.caption->boundingRect();
    items.caption->setPos((left + right - box.width()) / 2, area.bottom() - box.height() - 2);
    items.band->show();
    items.caption->setVisible(box.width() + 4 <= right - left);
  }
  for (std::size_t i = gaps_.size(); i < gapItems_.size(); ++i) {
    gapItems_[i].band->hide();
    gapItems_[i].caption->hide();
  }
}

TTrendChart::TGapItems& TTrendChart::GapItems(std::size_t index) {
  while (gapItems_.size() <= index) {
    auto* band = new QGraphicsRectItem(chart_);
    band->setPen(Qt::NoPen);
    band->setBrush(kGapFill);
    band->setZValue(kGapZ);
    auto* caption = new QGraphicsSimpleTextItem("no data", chart_);
    caption->setBrush(kGapCaption);
    caption->setZValue(kGapZ);
    gapItems_.push_back({band, caption});
  }
  return gapItems_[index];
}

QList<QList<QPointF>> TTrendChart::TracePieces() const {
  QList<QList<QPointF>> pieces;
  for (const QLineSeries* trace : traces_) {
    if (trace->count() > 0) pieces << trace->points();
  }
  return pieces;
}

QList<QRectF> TTrendChart::GapBoxes() const {
  QList<QRectF> boxes;
  for (const TGapItems& items : gapItems_) {
    if (items.band->isVisible()) boxes << items.band->sceneBoundingRect();
  }
  return boxes;
}

QStringList TTrendChart::MarkerCaptions() const {
  QStringList captions;
  for (const TMarkerItems& items : markerItems_) {
    if (items.caption->isVisible()) captions << items.caption->text();
  }
  return captions;
}

QList<QRectF> TTrendChart::MarkerCaptionBoxes() const {
  QList<QRectF> boxes;
  for (const TMarkerItems& items : markerItems_) {
    if (items.caption->isVisible()) boxes << items.caption->sceneBoundingRect();
  }
  return boxes;
}

}  // namespace orvane::panel
