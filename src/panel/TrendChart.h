#pragma once

#include <QtCharts/QChartView>

#include <optional>
#include <utility>
#include <vector>

#include "trend/TrendFrame.h"

class QGraphicsLineItem;
class QGraphicsSimpleTextItem;
class QDateTimeAxis;
class QLineSeries;
class QValueAxis;

namespace orvane::panel {

// The plot of the trend window: the signal's envelope against time, with a
// dashed line and a caption at each change of gain or mode.
class TTrendChart : public QChartView {
 public:
  using TRange = std::pair<double, double>;
  static constexpr int kSignalTicks = 5;  // about as many steps up the axis

  explicit TTrendChart(QWidget* parent);

  // Pixel columns across the plot area: the resolution the envelope is cut to.
  int Columns() const;
  // Shows `frame`; a fixed range replaces the one fitted to the signal.
  void Show(const trend::TTrendFrame& frame, std::optional<TRange> fixed);
  TRange SignalRange() const;

  QLineSeries& Series() { return *series_; }
  // The captions of the markers in view, oldest first, and where they are.
  QStringList MarkerCaptions() const;
  QList<QRectF> MarkerCaptionBoxes() const;

 private:
  struct TMarkerItems {
    QGraphicsLineItem* line;
    QGraphicsSimpleTextItem* caption;
  };

  void SetTimeRange(trend::TTimeWindow window);
  void SetSignalRange(const trend::TTrendFrame& frame, std::optional<TRange> fixed);
  void SetSignalTicks(double span);
  void PlaceMarkers();
  TMarkerItems& MarkerItems(std::size_t index);

  QChart* chart_;
  QLineSeries* series_;
  QDateTimeAxis* time_;
  QValueAxis* signal_;
  std::vector<trend::TMarker> markers_;
  std::vector<TMarkerItems> markerItems_;
};

// The envelope as a line: each column's low and high in the order they came.
QList<QPointF> EnvelopeLine(const std::vector<trend::TColumnExtremes>& columns);

}  // namespace orvane::panel
