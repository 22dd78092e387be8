#include "serial/ComSelectForm.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QFrame>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>

#include "config/IniFile.h"
#include "serial/PortListDelegate.h"
#include "serial/PortNames.h"
#include "serial/ProbeDispatcher.h"
#include "widgets/TBoxCloser.h"
#include "widgets/TDialogOwner.h"

namespace orvane::serial {
namespace {

TComSelectForm::Script& ActiveScript() {
  static TComSelectForm::Script script;
  return script;
}

template <class Widget>
Widget* Place(Widget* widget, int left, int top, int width, int height) {
  widget->setGeometry(left, top, width, height);
  return widget;
}

}  // namespace

TPortPresence ProbePort(unsigned number) {
  const auto device = PortDevicePath(number, PortMapFile());
  return device ? TApdProbeDispatcher::Presence(*device) : TPortPresence::Absent;
}

QString DescribePortNumber(unsigned number, TPortPresence presence) {
  const auto device = PortDevicePath(number, PortMapFile());
  return device ? QString::fromStdString(DescribePort(*device, presence)) : QString();
}

void TComSelectForm::SetScript(Script script) { ActiveScript() = std::move(script); }

TComSelectForm::TComSelectForm(QWidget* parent, Probe probe, Describe describe)
    : QDialog(widgets::TDialogOwner::For(parent)) {
  setObjectName("ComSelectForm");
  setWindowTitle("Select Port");
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::MSWindowsFixedSizeDialogHint |
                 Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
  QFont font("MS Sans Serif");
  font.setPixelSize(11);
  setFont(font);
  setBackgroundRole(QPalette::Button);
  setAutoFillBackground(true);
  setFixedSize(220, 131);
  BuildLayout();
  FillPorts(probe, describe);
}

void TComSelectForm::BuildLayout() {
  auto* bevel = Place(new QFrame(this), 8, 8, 201, 42);
  bevel->setFrameStyle(QFrame::Box | QFrame::Sunken);
  // The substitute font runs a few pixels wider than the dialog's drawn face, so the
  // labels take the width of their text rather than clip it.
  Place(new QLabel("The configured serial port is not valid.", this), 18, 14, 176, 13)
      ->adjustSize();
  Place(new QLabel("Please choose another port.", this), 18, 30, 133, 13)->adjustSize();
  ports_ = Place(new QComboBox(this), 8, 64, 201, 21);
  ports_->setObjectName("PortsComboBox");
  ports_->setItemDelegate(new TPortListDelegate(kDescriptionRole, ports_));
  connect(ports_, &QComboBox::currentIndexChanged, this, &TComSelectForm::ShowChosenPort);
  auto* ok = Place(new QPushButton("OK", this), 6, 96, 85, 27);
  ok->setObjectName("OkBtn");
  ok->setDefault(true);
  auto* abort = Place(new QPushButton("Cancel", this), 126, 95, 85, 27);
  abort->setObjectName("AbortBtn");
  connect(ok, &QPushButton::clicked, this, [this] { done(mrOk); });
  connect(abort, &QPushButton::clicked, this, [this] { done(mrAbort); });
  setTabOrder(ok, abort);
  setTabOrder(abort, ports_);
  // The dialog opens on its first tab stop: Enter or Space takes the port
  // shown, Tab goes on to Cancel and then to the list.
  ok->setFocus();
}

void TComSelectForm::FillPorts(const Probe& probe, const Describe& describe) {
  for (unsigned number = 1; number <= kHighestPortNumber; ++number) {
    const TPortPresence presence = probe(number);
    if (presence == TPortPresence::Absent) continue;
    const QString description = describe(number, presence);
    ports_->addItem(QString("COM%1").arg(number));
    ports_->setItemData(ports_->count() - 1, description, kDescriptionRole);
    ports_->setItemData(ports_->count() - 1, description, Qt::ToolTipRole);
    // Read by screen readers as the item's description, as the box's is.
    ports_->setItemData(ports_->count() - 1, description, Qt::AccessibleDescriptionRole);
  }
  ports_->setCurrentIndex(ports_->count() > 0 ? 0 : -1);
  ShowChosenPort();
  FitListToDescriptions();
}

// The first item added becomes current before its description is set. A
// screen reader is told of the new description; a tooltip alone is not
// announced.
void TComSelectForm::ShowChosenPort() {
  const QString description = ports_->currentData(kDescriptionRole).toString();
  ports_->setToolTip(description);
  ports_->setAccessibleDescription(description);
}

// The open list may be wider than the closed box, so the descriptions show
// whole; the screen still bounds it.
void TComSelectForm::FitListToDescriptions() {
  QAbstractItemView* list = ports_->view();
  int width = list->sizeHintForColumn(0) + 2 * list->frameWidth();
  if (ports_->count() > ports_->maxVisibleItems()) {
    width += list->verticalScrollBar()->sizeHint().width();
  }
  list->setMinimumWidth(std::max(width, ports_->width()));
}

int TComSelectForm::ShowModal() {
  if (ActiveScript()) return ActiveScript()(*this);
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    move(screen->availableGeometry().center() - rect().center());
  }
  return exec();
}

QString TComSelectForm::SelectedCom() const { return ports_->currentText(); }

std::uint16_t TComSelectForm::SelectedComNum() const {
  const std::string digits = SelectedCom().mid(3, 255).toStdString();
  const auto number = config::ParseProfileInteger(digits);
  if (!number) throw EConvertError("'" + digits + "' is not a valid integer value");
  return static_cast<std::uint16_t>(*number);
}

// Escape must not close the dialog: its "Cancel" is not the form's cancel.
void TComSelectForm::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) {
    event->accept();
    return;
  }
  QDialog::keyPressEvent(event);
}

void TComSelectForm::reject() { done(mrCancel); }

std::optional<std::uint16_t> AskPortNumber(QWidget* parent, widgets::TBoxCloser* closer) {
  TComSelectForm form(parent);
  if (closer) closer->SetOnClose([&form] { form.done(TComSelectForm::mrCancel); });
  const int result = form.ShowModal();
  if (closer) closer->SetOnClose({});
  if (result != TComSelectForm::mrOk) return std::nullopt;
  return form.SelectedComNum();
}

}  // namespace orvane::serial
