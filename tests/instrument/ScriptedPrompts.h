#pragma once

#include <QEventLoop>
#include <QPointer>
#include <QString>

#include <functional>
#include <optional>
#include <vector>

#include "instrument/LinkPrompts.h"
#include "instrument/LinkSearch.h"
#include "widgets/TBoxCloser.h"

namespace orvane::instrument::test {

// Answers the supervision's questions as a test scripts them, without a
// display. A search waits in an event loop of its own, as the search box
// does, so what a test posts runs while it waits.
class TScriptedPrompts : public TLinkPrompts {
 public:
  bool Warn(const QString& text, widgets::TBoxCloser& closer) override {
    warnings.push_back(text);
    return onWarning ? onWarning(closer) : true;
  }
  std::optional<std::uint16_t> AskPort(widgets::TBoxCloser&) override {
    ++portQuestions;
    if (onPortQuestion) onPortQuestion();
    return portChoice;
  }
  void ShowSearch(TLinkSearch& search) override {
    if (search.Finished()) return;
    shown_ = &search;
    QEventLoop wait;
    QObject::connect(&search, &TLinkSearch::Ended, &wait, &QEventLoop::quit);
    wait.exec();
  }
  // A search is shown and not yet ended.
  bool Searching() const { return shown_ && !shown_->Finished(); }

  std::vector<QString> warnings;
  // Answers a warning; true for the operator's OK, false once `closer` ended it.
  std::function<bool(widgets::TBoxCloser& closer)> onWarning;
  int portQuestions = 0;
  std::function<void()> onPortQuestion;
  std::optional<std::uint16_t> portChoice;

 private:
  QPointer<TLinkSearch> shown_;
};

}  // namespace orvane::instrument::test
