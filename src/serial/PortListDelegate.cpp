#include "serial/PortListDelegate.h"

#include <QPainter>

#include <cmath>

namespace orvane::serial {
namespace {

constexpr int kMargin = 4;
constexpr int kGap = 12;

}  // namespace

TPortListDelegate::TPortListDelegate(int descriptionRole, QObject* parent)
    : QStyledItemDelegate(parent), descriptionRole_(descriptionRole) {}

// Every row's description starts at the same place, after the widest number.
int TPortListDelegate::DescriptionLeft(const QFontMetrics& metrics) {
  return kMargin + metrics.horizontalAdvance("COM50") + kGap;
}

void TPortListDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const {
  QStyledItemDelegate::paint(painter, option, index);
  const QString description = index.data(descriptionRole_).toString();
  if (description.isEmpty()) return;
  const QRect area = option.rect.adjusted(DescriptionLeft(option.fontMetrics), 0, -kMargin, 0);
  const bool selected = option.state.testFlag(QStyle::State_Selected);
  painter->save();
  painter->setFont(option.font);
  painter->setPen(
      option.palette.color(selected ? QPalette::HighlightedText : QPalette::PlaceholderText));
  painter->drawText(area, Qt::AlignLeft | Qt::AlignVCenter,
                    option.fontMetrics.elidedText(description, Qt::ElideMiddle, area.width()));
  painter->restore();
}

QSize TPortListDelegate::sizeHint(const QStyleOptionViewItem& option,
                                  const QModelIndex& index) const {
  QSize size = QStyledItemDelegate::sizeHint(option, index);
  const QString description = index.data(descriptionRole_).toString();
  if (description.isEmpty()) return size;
  // Whole pixels would round a fractional advance down and elide the end.
  const auto text =
      static_cast<int>(std::ceil(QFontMetricsF(option.font).horizontalAdvance(description)));
  const int width = DescriptionLeft(option.fontMetrics) + text + kMargin;
  size.setWidth(std::max(size.width(), width));
  return size;
}

}  // namespace orvane::serial
