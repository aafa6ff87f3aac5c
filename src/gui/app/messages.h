#pragma once
// Every modal message of the window goes through here, so tests can capture them
// instead of blocking on a dialog.

#include <QString>

class QWidget;

namespace talvik {

class Messages {
  public:
    virtual ~Messages() = default;
    virtual void message(const QString& text) = 0; // one fixed text, OK button
    virtual void error(const QString& text) = 0;   // an error a handler did not expect
};

class DialogMessages : public Messages {
  public:
    explicit DialogMessages(QWidget* parent) : parent_(parent) {}
    void message(const QString& text) override;
    void error(const QString& text) override;

  private:
    QWidget* parent_;
};

} // namespace talvik
