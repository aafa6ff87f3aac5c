#include "gui/app/save_failure.h"

#include <QCoreApplication>

namespace talvik {

QString saveFailureText(ProfileFile::SaveResult result, const QString& systemError)
{
    switch (result) {
    case ProfileFile::SaveResult::Saved:
        return {};
    case ProfileFile::SaveResult::Unreadable:
        return QCoreApplication::translate("Configurator",
                                           "Його не вдалося прочитати, тому він залишився без змін.");
    case ProfileFile::SaveResult::ReadOnly:
        return QCoreApplication::translate("Configurator",
                                           "Він позначений лише для читання і залишився без змін.");
    case ProfileFile::SaveResult::OwnerNotKept:
        return QCoreApplication::translate(
                   "Configurator",
                   "Не вдалося зберегти його власника і права доступу (%1); файл залишився без змін.")
            .arg(systemError);
    case ProfileFile::SaveResult::WriteFailed:
        break;
    }
    return QCoreApplication::translate("Configurator", "Помилка запису (%1); файл залишився без змін.")
        .arg(systemError);
}

} // namespace talvik
