#include "widgets/TMessageDlg.h"

#include <QApplication>
#include <QMessageBox>
#include <QPointer>

#include <utility>

#include "widgets/TDialogOwner.h"

namespace orvane::widgets {
namespace {

TMessageDlg::Script& ActiveScript() {
  static TMessageDlg::Script script;
  return script;
}

int ResultOf(QMessageBox::StandardButton button) {
  switch (button) {
    case QMessageBox::Ok:
      return mrOk;
    case QMessageBox::Yes:
      return mrYes;
    case QMessageBox::No:
      return mrNo;
    case QMessageBox::Close:
      return mrClose;
    default:
      return mrCancel;
  }
}

struct TBoxLook {
  QMessageBox::Icon icon;
  QMessageBox::StandardButtons buttons;
};

TBoxLook LookOf(TMsgDlgType type) {
  switch (type) {
    case TMsgDlgType::mtWarning:
      return {QMessageBox::Warning, QMessageBox::Ok};
    case TMsgDlgType::mtError:
      return {QMessageBox::Critical, QMessageBox::Close};
    case TMsgDlgType::mtCustom:
      return {QMessageBox::NoIcon, QMessageBox::Ok};
    case TMsgDlgType::mtConfirmation:
      break;
  }
  return {QMessageBox::Question, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel};
}

}  // namespace

void TMessageDlg::SetScript(Script script) { ActiveScript() = std::move(script); }

int TMessageDlg::Warning(QWidget* parent, const QString& text, TBoxCloser* closer) {
  return Show(parent, {TMsgDlgType::mtWarning, "Warning", text, closer});
}

int TMessageDlg::Confirm(QWidget* parent, const QString& text) {
  return Show(parent, {TMsgDlgType::mtConfirmation, "Confirm", text});
}

int TMessageDlg::Error(QWidget* parent, const QString& text) {
  return Show(parent, {TMsgDlgType::mtError, "Error", text});
}

int TMessageDlg::ShowMessage(QWidget* parent, const QString& text) {
  return Show(parent, {TMsgDlgType::mtCustom, QApplication::applicationDisplayName(), text});
}

int TMessageDlg::Information(QWidget* parent, const QString& title, const QString& text) {
  return Show(parent, {TMsgDlgType::mtCustom, title, text});
}

int TMessageDlg::Show(QWidget* parent, const TMessageRequest& request) {
  if (ActiveScript()) return ActiveScript()(request);
  const TBoxLook look = LookOf(request.type);
  // The texts break lines the way another system did (CR LF); a label wants
  // plain line feeds, and a CR of its own would show as a stray glyph.
  QString shown = request.text;
  shown.replace("\r\n", "\n");
  QPointer<QMessageBox> box =
      new QMessageBox(look.icon, request.title, shown, look.buttons, TDialogOwner::For(parent));
  box->setAttribute(Qt::WA_DeleteOnClose, false);
  if (request.type == TMsgDlgType::mtConfirmation) box->setEscapeButton(QMessageBox::Cancel);
  bool ended = false;
  if (request.closer) {
    request.closer->SetOnClose([box, &ended] {
      ended = true;
      if (box) box->done(mrNone);
    });
  }
  box->exec();
  if (request.closer) request.closer->SetOnClose({});
  if (ended) {
    delete box;
    return mrNone;
  }
  // The parent may have gone while the box waited, taking the box with it.
  if (box.isNull()) return mrCancel;
  const int result = ResultOf(box->standardButton(box->clickedButton()));
  delete box;
  return result;
}

}  // namespace orvane::widgets
