#pragma once

#include <functional>

namespace orvane::widgets {

// Change notification for the settings objects a widget owns (bevel,
// palettes): every change calls the owner back so it can repaint, unless a
// batch of changes is under way between BeginUpdate and EndUpdate.
class TVrPersistent {
 public:
  TVrPersistent() = default;
  TVrPersistent(const TVrPersistent&) = delete;
  TVrPersistent& operator=(const TVrPersistent&) = delete;
  virtual ~TVrPersistent() = default;

  void BeginUpdate() { ++updateCount_; }
  // Always notifies once the batch is over, whether or not anything changed.
  void EndUpdate();
  int UpdateCount() const { return updateCount_; }

  void SetOnChange(std::function<void()> onChange);

 protected:
  void Changed();

  template <typename T>
  void Store(T& field, const T& value) {
    if (field == value) return;
    field = value;
    Changed();
  }

 private:
  int updateCount_ = 0;
  std::function<void()> onChange_;
};

}  // namespace orvane::widgets
