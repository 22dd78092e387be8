#pragma once

#include <QWidget>

namespace orvane::widgets {

// Base of the owner-drawn widgets: a setting change repaints at once, unless
// a batch of changes is held between BeginUpdate and EndUpdate.
class TVrGraphicControl : public QWidget {
  Q_OBJECT

 public:
  explicit TVrGraphicControl(QWidget* parent = nullptr);

  void BeginUpdate() { ++updateCount_; }
  void EndUpdate();
  int UpdateCount() const { return updateCount_; }

 protected:
  void UpdateControlCanvas();

  template <typename T>
  bool Store(T& field, const T& value) {
    if (field == value) return false;
    field = value;
    UpdateControlCanvas();
    return true;
  }

 private:
  int updateCount_ = 0;
};

}  // namespace orvane::widgets
