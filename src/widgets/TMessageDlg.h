#pragma once

#include <functional>

#include <QString>

#include "widgets/TBoxCloser.h"

class QWidget;

namespace orvane::widgets {

enum class TMsgDlgType { mtWarning, mtConfirmation, mtError, mtCustom };

// Modal results, numbered as the handlers compare them.
enum TModalResult : int { mrNone = 0, mrOk = 1, mrCancel = 2, mrYes = 6, mrNo = 7, mrClose = 11 };

struct TMessageRequest {
  TMsgDlgType type;
  QString title;
  QString text;  // exactly as the program words it, line breaks included
  TBoxCloser* closer = nullptr;
};

// The operator-facing message boxes: warnings titled "Warning" with one OK
// button, questions titled "Confirm" with Yes, No and Cancel, errors titled
// "Error" with one Close button, and plain messages under the application's
// title with one OK button. They are modal
// and run a nested event loop, so timers and port events go on meanwhile.
// A box is transient for `parent`, or for the window TDialogOwner names when
// `parent` is null.
class TMessageDlg {
 public:
  // Lets a test answer every box without showing one: the script sees the
  // request and returns the modal result. An empty script brings boxes back.
  using Script = std::function<int(const TMessageRequest&)>;
  static void SetScript(Script script);

  // A `closer` lets the program end the box itself.
  static int Warning(QWidget* parent, const QString& text, TBoxCloser* closer = nullptr);
  // Closing the box counts as Cancel.
  static int Confirm(QWidget* parent, const QString& text);
  static int Error(QWidget* parent, const QString& text);
  // No icon; the title is the application's display name.
  static int ShowMessage(QWidget* parent, const QString& text);
  // A box of the request's own type, title and text.
  static int Show(QWidget* parent, const TMessageRequest& request);
};

}  // namespace orvane::widgets
