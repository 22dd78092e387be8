#pragma once

#include <QStyledItemDelegate>

namespace orvane::serial {

// Draws a port's item as it is ("COMn", which is what every caller reads
// back) and, in a column beside it, the text the item holds under
// `descriptionRole`, dimmed unless the row is selected.
class TPortListDelegate : public QStyledItemDelegate {
 public:
  TPortListDelegate(int descriptionRole, QObject* parent);

  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override;
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

 private:
  static int DescriptionLeft(const QFontMetrics& metrics);

  int descriptionRole_;
};

}  // namespace orvane::serial
