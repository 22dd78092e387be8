// Builds the recorder below into the test as a static accessibility bridge.
#define QT_STATICPLUGIN

#include <QAccessible>
#include <QAccessibleBridge>
#include <QAccessibleBridgePlugin>
#include <QCoreApplication>
#include <QtPlugin>

#include "TestSupport.h"
#include "widgets/TGauge.h"
#include "widgets/TTrackBar.h"
#include "widgets/TVrPowerButton.h"
#include "widgets/TVrUserLed.h"
#include "widgets/TantMovablePanel.h"

namespace orvane::widgets::test {
namespace {

std::vector<std::pair<const QObject*, QString>> heard;

QString Said(QAccessibleEvent* event) {
  if (event->type() == QAccessible::NameChanged) return "name";
  if (event->type() == QAccessible::DescriptionChanged) return "description";
  if (event->type() == QAccessible::ValueChanged)
    return "value " + static_cast<QAccessibleValueChangeEvent*>(event)->value().toString();
  if (event->type() != QAccessible::StateChanged) return {};
  const auto changed = static_cast<QAccessibleStateChangeEvent*>(event)->changedStates();
  return QString("state") + (changed.checked ? " checked" : "") +
         (changed.expanded ? " expanded" : "") + (changed.collapsed ? " collapsed" : "");
}

// Qt passes nothing to an update handler while QAccessible::isActive() is
// false, which it always is on the offscreen platform; a bridge hears it all.
class Recorder : public QAccessibleBridge {
 public:
  void setRootObject(QAccessibleInterface*) override {}
  void notifyAccessibilityUpdate(QAccessibleEvent* event) override {
    if (const QString said = Said(event); !said.isEmpty())
      heard.emplace_back(event->object(), said);
  }
};

}  // namespace

class AccessibleRecorder : public QAccessibleBridgePlugin {
  Q_OBJECT
  Q_PLUGIN_METADATA(IID QAccessibleBridgeFactoryInterface_iid FILE "AccessibleRecorder.json")

 public:
  // Qt 6.4 never deletes a bridge, so the plugin keeps it.
  QAccessibleBridge* create(const QString&) override { return &recorder_; }

 private:
  Recorder recorder_;
};

namespace {

QString HeardFrom(const QObject* source) {
  QStringList said;
  for (const auto& [object, what] : heard) {
    if (object == source) said << what;
  }
  return said.join("; ");
}

QAccessibleInterface* Ask(QObject* object) { return QAccessible::queryAccessibleInterface(object); }

// Role, name and description, as a screen reader puts them together.
QString Reading(QObject* object) {
  const QAccessibleInterface* iface = Ask(object);
  return QString("%1 %2: %3")
      .arg(qAccessibleRoleString(iface->role()), iface->text(QAccessible::Name),
           iface->text(QAccessible::Description));
}

const QString& Press() { return QAccessibleActionInterface::pressAction(); }

TEST(Accessibility, LedReadsAsItsLabelSayingOnOrOff) {
  TVrUserLed led;
  led.setAccessibleName("CD");
  EXPECT_EQ(Reading(&led), "StaticText CD: off");
  heard.clear();
  led.SetActive(true);
  led.SetActive(true);
  EXPECT_EQ(Reading(&led), "StaticText CD: on");
  EXPECT_EQ(HeardFrom(&led), "description");
}

TEST(Accessibility, PowerButtonIsACheckableButtonNamedByItsCaption) {
  TVrPowerButton button;
  button.SetCaption("O&N");
  button.setToolTip("Idle");
  EXPECT_EQ(Reading(&button), "Button ON: Idle");
  EXPECT_TRUE(Ask(&button)->state().checkable);
  heard.clear();
  button.SetActive(true);
  button.SetActive(true);
  button.SetCaption("OFF");
  button.SetCaption("OFF");
  EXPECT_TRUE(Ask(&button)->state().checked);
  EXPECT_EQ(Reading(&button), "Button OFF: Idle");
  EXPECT_EQ(HeardFrom(&button), "state checked; name");
}

// The click comes from the event loop, toggling first as a mouse click does,
// and a locked group refuses it.
TEST(Accessibility, PressClicksThePowerButtonUnlessItsGroupIsLocked) {
  QWidget group;
  TVrPowerButton button(&group);
  std::vector<bool> clicks;
  button.SetOnClick([&](QObject*) { clicks.push_back(button.Active()); });
  QAccessibleActionInterface* actions = Ask(&button)->actionInterface();
  actions->doAction(Press());
  EXPECT_TRUE(clicks.empty());
  QCoreApplication::processEvents();
  EXPECT_EQ(clicks, std::vector<bool>{true});

  actions->doAction(Press());
  group.setEnabled(false);
  QCoreApplication::processEvents();
  EXPECT_FALSE(actions->actionNames().contains(Press()));
  EXPECT_EQ(clicks.size(), 1u);
}

TEST(Accessibility, GaugeIsAReadOnlyProgressBarReportingEveryStoredValue) {
  TGauge gauge;
  gauge.SetMaxValue(255);
  EXPECT_EQ(Ask(&gauge)->role(), QAccessible::ProgressBar);
  QAccessibleValueInterface* value = Ask(&gauge)->valueInterface();
  heard.clear();
  gauge.SetProgress(1);
  gauge.SetProgress(2);  // still 0 %, so no repaint, but a new value
  gauge.SetProgress(300);
  gauge.SetProgress(255);
  value->setCurrentValue(10);
  gauge.SetMaxValue(100);
  EXPECT_EQ(value->currentValue(), 100);
  EXPECT_EQ(value->minimumValue(), 0);
  EXPECT_EQ(value->maximumValue(), 100);
  EXPECT_EQ(HeardFrom(&gauge), "value 1; value 2; value 255; value 100");
}

// A tool that cached the description must hear that the meaning changed.
TEST(Accessibility, SliderReadsItsPositionAndWhatItMeans) {
  TTrackBar slider;
  slider.setAccessibleName("Pump 1");
  slider.SetRange(0, 255);
  slider.SetOnChange(
      [&](QObject*) { slider.setToolTip(QString("%1%").arg(slider.Position() / 2)); });
  heard.clear();
  slider.SetPosition(100);
  EXPECT_EQ(Reading(&slider), "Slider Pump 1: 50%");
  EXPECT_EQ(Ask(&slider)->valueInterface()->currentValue(), 100);
  EXPECT_EQ(HeardFrom(&slider), "value 100; description");
}

TEST(Accessibility, PanelIsNamedByItsHintAndExpandedWhileOut) {
  TantMovablePanel panel;
  panel.setToolTip("Lamp conditions");
  EXPECT_EQ(Reading(&panel), "Pane Lamp conditions: ");
  EXPECT_TRUE(Ask(&panel)->state().expandable && Ask(&panel)->state().collapsed);
  heard.clear();
  panel.DoMove();
  panel.DoMove();
  EXPECT_TRUE(Ask(&panel)->state().expanded && !Ask(&panel)->state().collapsed);
  panel.UndoMove();
  EXPECT_EQ(HeardFrom(&panel), "state expanded collapsed; state expanded collapsed");
}

}  // namespace
}  // namespace orvane::widgets::test

Q_IMPORT_PLUGIN(AccessibleRecorder)

#include "AccessibilityTest.moc"
