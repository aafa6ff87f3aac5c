#pragma once
// Every question the fleet window asks the operator goes through here, so that tests
// answer them instead of blocking on a dialog.

#include <QString>
#include <QStringList>

class QWidget;

namespace talvik {

class FleetDialogs {
  public:
    virtual ~FleetDialogs() = default;
    // `action`: the button that goes ahead ("Перезавантажити").
    virtual bool confirm(QWidget* parent, const QString& question, const QString& action) = 0;
    // One of several ways to go ahead, or -1 for "Скасувати"; the default is the action
    // `preferred` names, "Скасувати" for -1.
    virtual int choose(QWidget* parent, const QString& question, const QStringList& actions,
                       int preferred = 0) = 0;
    virtual void message(QWidget* parent, const QString& text) = 0;
    // Each returns what was chosen; empty when the operator cancelled.
    virtual QString folder(QWidget* parent, const QString& title) = 0;
    virtual QStringList openFiles(QWidget* parent, const QString& title, const QString& filter) = 0;
    virtual QString openFile(QWidget* parent, const QString& title, const QString& filter) = 0;
    virtual QString saveFile(QWidget* parent, const QString& title, const QString& filter) = 0;
    // A line, or several (one per line), starting from `initial`.
    virtual QString text(QWidget* parent, const QString& title, const QString& label,
                         const QString& initial = {}) = 0;
    virtual QString lines(QWidget* parent, const QString& title, const QString& label,
                          const QString& initial) = 0;
};

// The platform's dialogs.
class SystemDialogs : public FleetDialogs {
  public:
    bool confirm(QWidget* parent, const QString& question, const QString& action) override;
    int choose(QWidget* parent, const QString& question, const QStringList& actions,
               int preferred = 0) override;
    void message(QWidget* parent, const QString& text) override;
    QString folder(QWidget* parent, const QString& title) override;
    QStringList openFiles(QWidget* parent, const QString& title, const QString& filter) override;
    QString openFile(QWidget* parent, const QString& title, const QString& filter) override;
    QString saveFile(QWidget* parent, const QString& title, const QString& filter) override;
    QString text(QWidget* parent, const QString& title, const QString& label,
                 const QString& initial = {}) override;
    QString lines(QWidget* parent, const QString& title, const QString& label,
                  const QString& initial) override;
};

} // namespace talvik
