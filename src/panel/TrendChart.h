#pragma once

#include <QtCharts/QChartView>

#include <optional>
#include <utility>
#include <vector>

#include "trend/TrendFrame.h"

class QGraphicsLineItem;
class QGraphicsRectItem;
class QGraphicsSimpleTextItem;
class QDateTimeAxis;
class QLineSeries;
class QValueAxis;

namespace orvane::panel {

// The plot of the trend window: the signal's envelope against time, with a
// dashed line and a caption at each change of gain or mode. The trace breaks
// at each gap in the readings, and a shaded band marked "no data" fills it:
// a line drawn across an outage would read as drift of the detector.
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

  // The trace up to its first gap; with no gap in view, all of it.
  QLineSeries& Series() { return *traces_.front(); }
  // The pieces of the trace in view, oldest first.
  QList<QList<QPointF>> TracePieces() const;
  // Where the "no data" bands of the gaps in view are, oldest first.
  QList<QRectF> GapBoxes() const;
  // The captions of the markers in view, oldest first, and where they are.
  QStringList MarkerCaptions() const;
  QList<QRectF> MarkerCaptionBoxes() const;

 private:
  struct TMarkerItems {
    QGraphicsLineItem* line;
    QGraphicsSimpleTextItem* caption;
  };
  struct TGapItems {
    QGraphicsRectItem* band;
    QGraphicsSimpleTextItem* caption;
  };

  void SetTimeRange(trend::TTimeWindow window);
  void SetSignalRange(const trend::TTrendFrame& frame, std::optional<TRange> fixed);
  void SetSignalTicks(double span);
  void ShowTrace(const std::vector<trend::TColumnExtremes>& columns);
  QLineSeries& Trace(std::size_t index);
  void PlaceMarkers();
  TMarkerItems& MarkerItems(std::size_t index);
  void PlaceGaps();
  TGapItems& GapItems(std::size_t index);
  qreal XOf(std::int64_t time) const;

  QChart* chart_;
  // Reused between repaints; those past the pieces in view are left empty.
  std::vector<QLineSeries*> traces_;
  QDateTimeAxis* time_;
  QValueAxis* signal_;
  std::vector<trend::TMarker> markers_;
  std::vector<TMarkerItems> markerItems_;
  std::vector<trend::TGap> gaps_;
  std::vector<TGapItems> gapItems_;
};

// The envelope as lines, one for each piece between gaps: each column's low
// and high in the order they came.
std::vector<QList<QPointF>> EnvelopeLines(const std::vector<trend::TColumnExtremes>& columns);

}  // namespace orvane::panel
