#include <QHeaderView>
#include <QPainter>
#include <QTableWidget>

#include "panel/Bands.h"
#include "panel/LayoutKit.h"
#include "panel/MainLayout.h"
#include "panel/ScreenNumber.h"
#include "widgets/TantMovablePanel.h"

namespace orvane::panel {

namespace {

constexpr int kGridLine = 1;
constexpr int kColumnWidths[] = {50, 60, 59};
constexpr int kRowHeight = 14;

// The lamp operating conditions; the currents keep their leading
// spaces, which stand them off the cell's left edge.
constexpr const char* kLampTable[6][3] = {
    {"", "Primary mA", "Boost mA"},        {"Arsenic", "    27.5", "    35.0"},
    {"Selenium", "    20.0", "    25.0"},  {"Antimony", "    17.5", "    15.0"},
    {"Tellurium", "    15.0", "    17.5"}, {"Bismuth", "    12.0", "    10.0"}};

// The arrow is disabled only so that a click on it falls through to the
// panel underneath; it must still be drawn as it is, never greyed.
class ArrowLabel : public QLabel {
 public:
  using QLabel::QLabel;

 protected:
  void paintEvent(QPaintEvent*) override { QPainter(this).drawPixmap(0, 0, pixmap()); }
};

void PlaceArrow(w::TantMovablePanel& panel, TMainControls& c) {
  auto* arrow = Place<ArrowLabel>(panel, "Image1", {185, 0, 11, 11});
  arrow->setPixmap(ArrowPicture(true));
  arrow->resize(arrow->pixmap().size());
  arrow->setEnabled(false);
  arrow->setAttribute(Qt::WA_TransparentForMouseEvents);
  arrow->setCursor(Qt::PointingHandCursor);
  c.Image1 = arrow;
}

// The label keeps clicks to itself, so only the panel's bare background and
// the arrow slide the panel.
void PlaceTitle(w::TantMovablePanel& panel, TMainControls& c) {
  PlaceLabels(panel, c,
              {{&TMainControls::Label14,
                "Label14",
                {23, 15, 169, 16},
                "Lamps Operating Conditions",
                FontRole::Reading}});
  c.Label14->setAttribute(Qt::WA_NoMousePropagation);
  c.Label14->setCursor(Qt::ArrowCursor);
}

// The hidden headers carry the titles too: a screen reader names a cell by
// its headers, which would otherwise read as the section numbers.
void SetHeaderTitles(QTableWidget& grid) {
  QStringList columns{QStringLiteral("Element")};
  for (int column = 1; column < grid.columnCount(); ++column) columns << kLampTable[0][column];
  grid.setHorizontalHeaderLabels(columns);
  QStringList rows;
  for (int row = 0; row < grid.rowCount(); ++row) rows << kLampTable[row][0];
  grid.setVerticalHeaderLabels(rows);
}

// The fixed row and column are titles: disabled, so that neither the Tab key
// nor a click stops on them.
void FillLampTable(QTableWidget& grid) {
  const QColor fixedFace = grid.palette().color(QPalette::Button);
  for (int row = 0; row < grid.rowCount(); ++row) {
    for (int column = 0; column < grid.columnCount(); ++column) {
      auto* item = new QTableWidgetItem(ScreenNumber(kLampTable[row][column]));
      if (row == 0 || column == 0) {
        item->setFlags(Qt::NoItemFlags);
        item->setBackground(fixedFace);
      } else {
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
      }
      grid.setItem(row, column, item);
    }
  }
  SetHeaderTitles(grid);
}

// Qt counts the grid line into the cell it closes, so each section is one
// line wider than the cell it shows.
void SizeCells(QTableWidget& grid) {
  for (QHeaderView* header : {grid.horizontalHeader(), grid.verticalHeader()}) {
    header->hide();
    header->setMinimumSectionSize(1);
    header->setSectionResizeMode(QHeaderView::Fixed);
  }
  for (int column = 0; column < grid.columnCount(); ++column)
    grid.setColumnWidth(column, kColumnWidths[column] + kGridLine);
  for (int row = 0; row < grid.rowCount(); ++row) grid.setRowHeight(row, kRowHeight + kGridLine);
}

void PlaceGrid(w::TantMovablePanel& panel, TMainControls& c) {
  auto* grid = Place<QTableWidget>(panel, "StringGrid1", {0, 32, 215, 116}, FontRole::Grid);
  grid->setColumnCount(3);
  grid->setRowCount(6);
  SizeCells(*grid);
  QPalette palette = grid->palette();
  palette.setColor(QPalette::Base, kTeal);
  // Disabled title cells are written like the others.
  palette.setColor(QPalette::Disabled, QPalette::Text, palette.color(QPalette::WindowText));
  grid->setPalette(palette);
  grid->setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
  grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
  grid->setSelectionMode(QAbstractItemView::SingleSelection);
  grid->setTabKeyNavigation(true);
  grid->setWordWrap(false);
  grid->setTextElideMode(Qt::ElideNone);
  grid->setCursor(Qt::ArrowCursor);
  FillLampTable(*grid);
  // The keyboard starts on the first value, which is not selected yet.
  grid->selectionModel()->setCurrentIndex(grid->model()->index(1, 1),
                                          QItemSelectionModel::NoUpdate);
  c.StringGrid1 = grid;
}

}  // namespace

void BuildOptionsPanel(QWidget& client, TMainControls& c) {
  auto* panel = Place<w::TantMovablePanel>(client, "OptionsPanel", {437, 354, 215, 149});
  panel->setFrameStyle(QFrame::NoFrame);
  panel->setAutoFillBackground(true);
  panel->setCursor(Qt::PointingHandCursor);
  panel->setToolTip(QStringLiteral("Click to show Lamps Operating Conditions"));
  panel->SetMoveNewStyle(true);
  panel->SetMoveFullTime(500);
  panel->SetTimerInterval(50);
  panel->SetMovePerTick(10);
  panel->SetMoveLength(115);
  panel->SetDirection(w::TDirection::drUp);
  PlaceArrow(*panel, c);
  PlaceTitle(*panel, c);
  PlaceGrid(*panel, c);
  panel->Loaded();
  c.OptionsPanel = panel;
}

}  // namespace orvane::panel
