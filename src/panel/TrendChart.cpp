#include "panel/TrendChart.h"

#include <QDateTime>
#include <QGraphicsLineItem>
#include <QGraphicsSimpleTextItem>
#include <QLocale>
#include <QPen>
#include <QtCharts/QDateTimeAxis>
#include <QtCharts/QLineSeries>
#include <QtCharts/QValueAxis>

#include <algorithm>
#include <cmath>

#include "trend/SettingLabels.h"

namespace orvane::panel {
namespace {

constexpr std::int64_t kSecondsFormatUpTo = 2 * 3600 * 1000;
const QColor kSignalColour(0, 0, 128);
const QColor kMarkerColour(192, 96, 0);
// Above the chart's own grid, axes and trace: a change that falls on a grid
// line is still seen, and its caption is read over the trace.
constexpr qreal kMarkerZ = 100;

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

QString Caption(const trend::TMarker& marker) {
  QStringList parts;
  if (marker.gainChanged)
    parts << "Gain " + QString::fromStdString(trend::GainLabel(marker.gainCode));
  if (marker.modeChanged) parts << QString::fromStdString(trend::ModeLabel(marker.modeCode));
  return parts.join(", ");
}

}  // namespace

QList<QPointF> EnvelopeLine(const std::vector<trend::TColumnExtremes>& columns) {
  QList<QPointF> line;
  line.reserve(static_cast<qsizetype>(columns.size() * 2));
  for (const trend::TColumnExtremes& column : columns) {
    const bool lowFirst = column.low.time <= column.high.time;
    line.append(At(lowFirst ? column.low : column.high));
    if (column.low != column.high) line.append(At(lowFirst ? column.high : column.low));
  }
  return line;
}

TTrendChart::TTrendChart(QWidget* parent)
    : QChartView(new QChart, parent),
      chart_(chart()),
      series_(new QLineSeries),
      time_(new QDateTimeAxis),
      signal_(new QValueAxis) {
  chart_->legend()->hide();
  chart_->setLocale(ScreenLocale());
  chart_->setLocalizeNumbers(true);
  chart_->setMargins(QMargins(4, 4, 8, 4));
  chart_->addSeries(series_);
  chart_->addAxis(time_, Qt::AlignBottom);
  chart_->addAxis(signal_, Qt::AlignLeft);
  series_->attachAxis(time_);
  series_->attachAxis(signal_);
  series_->setPen(QPen(kSignalColour, 1));
  time_->setTickCount(7);
  signal_->setTickType(QValueAxis::TicksDynamic);
  signal_->setTickAnchor(0);
  signal_->setTitleText("Signal");
  connect(chart_, &QChart::plotAreaChanged, this, [this] { PlaceMarkers(); });
}

int TTrendChart::Columns() const {
  return std::max(1, static_cast<int>(chart_->plotArea().width()));
}

TTrendChart::TRange TTrendChart::SignalRange() const { return {signal_->min(), signal_->max()}; }

void TTrendChart::Show(const trend::TTrendFrame& frame, std::optional<TRange> fixed) {
  series_->replace(EnvelopeLine(frame.columns));
  SetTimeRange(frame.window);
  SetSignalRange(frame, fixed);
  markers_ = frame.markers;
  PlaceMarkers();
}

void TTrendChart::SetTimeRange(trend::TTimeWindow window) {
  time_->setFormat(window.Length() <= kSecondsFormatUpTo ? "hh:mm:ss" : "dd MMM hh:mm");
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
    const qreal x =
        chart_->mapToPosition(QPointF(static_cast<qreal>(markers_[i].time), 0), series_).x();
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
