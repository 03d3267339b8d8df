// What the window needs from the desktop besides its own controls: modal message boxes, the
// system clipboard and the shell that opens links. Each sits behind a small interface so that
// the window can be driven without a desktop (tests pass fakes); the Qt versions are the
// defaults.
#pragma once

#include <QString>
#include <QUrl>

#include "schnackomat/rules/toolkit.h"

class QWidget;

namespace schnackomat::ui {

// The application title, also the title of every message box that has none of its own.
using rules::ApplicationTitle;

// The buttons, icons and answers of the window rules' message boxes.
using rules::MessageAnswer;
using rules::MessageButtons;
using rules::MessageIcon;

// Modal message boxes: Show returns only after the user has closed the box.
class MessageBoxes {
  public:
    virtual ~MessageBoxes() = default;
    virtual MessageAnswer Show(QWidget* parent, const QString& text, const QString& title,
                               MessageButtons buttons, MessageIcon icon) = 0;
};

// The system clipboard, plain text only. Failures are ignored.
class Clipboard {
  public:
    virtual ~Clipboard() = default;
    virtual void Clear() = 0;
    virtual void SetText(const QString& text) = 0;
};

// Hands a "mailto:" or web link to the desktop's default handler. Failures are ignored.
class LinkOpener {
  public:
    virtual ~LinkOpener() = default;
    virtual void Open(const QUrl& target) = 0;
};

class QtMessageBoxes final : public MessageBoxes {
  public:
    MessageAnswer Show(QWidget* parent, const QString& text, const QString& title,
                       MessageButtons buttons, MessageIcon icon) override;
};

class SystemClipboard final : public Clipboard {
  public:
    void Clear() override;
    void SetText(const QString& text) override;
};

class DesktopLinkOpener final : public LinkOpener {
  public:
    void Open(const QUrl& target) override;
};

// The process's Qt implementations, created on first use.
MessageBoxes& DefaultMessageBoxes();
Clipboard& DefaultClipboard();
LinkOpener& DefaultLinkOpener();

}  // namespace schnackomat::ui
