#include "widgets/Accessibility.h"

#include <QAccessibleValueInterface>
#include <QAccessibleWidget>
#include <QLabel>

#include "widgets/TGauge.h"
#include "widgets/TVrPowerButton.h"
#include "widgets/TVrUserLed.h"
#include "widgets/TantMovablePanel.h"

namespace orvane::widgets {

namespace {

template <typename W>
class AccessibleOf : public QAccessibleWidget {
 public:
  AccessibleOf(W* widget, QAccessible::Role role) : QAccessibleWidget(widget, role) {}

 protected:
  W* Widget() const { return static_cast<W*>(widget()); }
};

// Press is offered only while the widget takes mouse clicks, so a locked panel
// stays locked for assistive tools too. The click runs later from the event
// loop, as a mouse click does: its handler may open a modal box, which must not
// hold up the tool's call.
template <typename W>
class AccessibleClickable : public AccessibleOf<W> {
 public:
  using AccessibleOf<W>::AccessibleOf;

  QStringList actionNames() const override {
    QStringList names = QAccessibleWidget::actionNames();
    if (this->Widget()->isEnabled()) names.prepend(QAccessibleActionInterface::pressAction());
    return names;
  }

  void doAction(const QString& name) override {
    if (name != QAccessibleActionInterface::pressAction()) {
      QAccessibleWidget::doAction(name);
      return;
    }
    W* target = this->Widget();
    const auto click = [target] {
      if (target->isEnabled()) target->Click();
    };
    QMetaObject::invokeMethod(target, click, Qt::QueuedConnection);
  }
};

// A label rather than an indicator: Qt hands Indicator to AT-SPI as an unknown
// role, which Orca skips or reads as "unknown"; a label is read with its name
// and description.
class AccessibleLed : public AccessibleOf<TVrUserLed> {
 public:
  explicit AccessibleLed(TVrUserLed* led) : AccessibleOf(led, QAccessible::StaticText) {}

  QString text(QAccessible::Text t) const override {
    if (t != QAccessible::Description) return QAccessibleWidget::text(t);
    return Widget()->Active() ? QStringLiteral("on") : QStringLiteral("off");
  }
};

class AccessiblePowerButton : public AccessibleClickable<TVrPowerButton> {
 public:
  explicit AccessiblePowerButton(TVrPowerButton* button)
      : AccessibleClickable(button, QAccessible::Button) {}

  QString text(QAccessible::Text t) const override {
    if (t == QAccessible::Name && Widget()->accessibleName().isEmpty())
      return Widget()->DrawnCaption();
    return QAccessibleWidget::text(t);
  }

  QAccessible::State state() const override {
    QAccessible::State state = QAccessibleWidget::state();
    state.checkable = true;
    state.checked = Widget()->Active();
    return state;
  }
};

class AccessibleGauge : public AccessibleOf<TGauge>, public QAccessibleValueInterface {
 public:
  explicit AccessibleGauge(TGauge* gauge) : AccessibleOf(gauge, QAccessible::ProgressBar) {}

  void* interface_cast(QAccessible::InterfaceType type) override {
    if (type == QAccessible::ValueInterface) return static_cast<QAccessibleValueInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
  }
  QVariant currentValue() const override { return Widget()->Progress(); }
  // Only the instrument moves a gauge.
  void setCurrentValue(const QVariant&) override {}
  QVariant maximumValue() const override { return Widget()->MaxValue(); }
  QVariant minimumValue() const override { return Widget()->MinValue(); }
  QVariant minimumStepSize() const override { return 1; }
};

class AccessiblePanel : public AccessibleClickable<TantMovablePanel> {
 public:
  explicit AccessiblePanel(TantMovablePanel* panel)
      : AccessibleClickable(panel, QAccessible::Pane) {}

  // A tooltip that names the panel is not read a second time as its description.
  QString text(QAccessible::Text t) const override {
    const bool namedByHint = Widget()->accessibleName().isEmpty();
    if (namedByHint && t == QAccessible::Name) return Widget()->toolTip();
    if (namedByHint && t == QAccessible::Description) return Widget()->accessibleDescription();
    return QAccessibleWidget::text(t);
  }

  QAccessible::State state() const override {
    QAccessible::State state = QAccessibleWidget::state();
    state.expandable = true;
    state.expanded = Widget()->ToDirection();
    state.collapsed = !Widget()->ToDirection();
    return state;
  }
};

bool CaptionsAnLed(const QObject* object) {
  const auto* label = qobject_cast<const QLabel*>(object);
  return label != nullptr && qobject_cast<TVrUserLed*>(label->buddy()) != nullptr;
}

// A window of its own reads as a frame, as other programs' windows do; Qt
// gives a plain widget the client role, which AT-SPI hands on as a filler.
// Inside a window a plain frame is a panel: Qt's border role reaches AT-SPI
// as a frame too, which would read as a window within the window.
// The letters beside an LED (a label whose buddy it is) are left out of its
// children: the LED is read with them as its name ("CD", "on"), so they are
// not read a second time on their own. Asked each time, because Qt makes a
// label's interface when it gets its text, before the buddy is set.
class AccessiblePlainWidget : public AccessibleOf<QWidget> {
 public:
  AccessiblePlainWidget(QWidget* widget, QAccessible::Role inside) : AccessibleOf(widget, inside) {}

  QAccessible::Role role() const override {
    return Widget()->isWindow() ? QAccessible::Window : QAccessibleWidget::role();
  }
  int childCount() const override { return static_cast<int>(ReadChildren().size()); }
  QAccessibleInterface* child(int index) const override {
    const QList<QAccessibleInterface*> children = ReadChildren();
    return index >= 0 && index < children.size() ? children[index] : nullptr;
  }
  int indexOfChild(const QAccessibleInterface* child) const override {
    return static_cast<int>(ReadChildren().indexOf(child));
  }

 private:
  QList<QAccessibleInterface*> ReadChildren() const {
    QList<QAccessibleInterface*> children;
    for (int i = 0; i < QAccessibleWidget::childCount(); ++i) {
      QAccessibleInterface* child = QAccessibleWidget::child(i);
      if (child != nullptr && !CaptionsAnLed(child->object())) children << child;
    }
    return children;
  }
};

// A plot is one picture to a screen reader: its name and a summary in the
// description, which its owner keeps current. The scene inside (axes, the
// view's viewport) would only read as unnamed fillers.
class AccessibleChart : public AccessibleOf<QWidget> {
 public:
  explicit AccessibleChart(QWidget* view) : AccessibleOf(view, QAccessible::Chart) {}

  int childCount() const override { return 0; }
  QAccessibleInterface* child(int) const override { return nullptr; }
  int indexOfChild(const QAccessibleInterface*) const override { return -1; }
};

// Qt asks with each class name from the object's own up to QObject's, so a
// subclass of one of ours is described as its base.
QAccessibleInterface* CreateInterface(const QString& className, QObject* object) {
  const auto is = [&className](const QMetaObject& meta) {
    return className == QLatin1String(meta.className());
  };
  if (is(TVrUserLed::staticMetaObject)) return new AccessibleLed(static_cast<TVrUserLed*>(object));
  if (is(TVrPowerButton::staticMetaObject))
    return new AccessiblePowerButton(static_cast<TVrPowerButton*>(object));
  if (is(TGauge::staticMetaObject)) return new AccessibleGauge(static_cast<TGauge*>(object));
  if (is(TantMovablePanel::staticMetaObject))
    return new AccessiblePanel(static_cast<TantMovablePanel*>(object));
  // Qt Charts' view, known by name: this library does not link Qt Charts.
  if (className == QLatin1String("QChartView"))
    return new AccessibleChart(static_cast<QWidget*>(object));
  if (className == QLatin1String("QWidget") && object->isWidgetType())
    return new AccessiblePlainWidget(static_cast<QWidget*>(object), QAccessible::Client);
  if (className == QLatin1String("QFrame"))
    return new AccessiblePlainWidget(static_cast<QWidget*>(object), QAccessible::Pane);
  return nullptr;
}

}  // namespace

// Qt keeps a factory once however often it is installed.
void InstallAccessibility() { QAccessible::installFactory(CreateInterface); }

}  // namespace orvane::widgets
