#include "gui/app/save_failure.h"

#include "gui/app/texts.h"

namespace talvik {

QString saveFailureText(ProfileFile::SaveResult result, const QString& systemError)
{
    switch (result) {
    case ProfileFile::SaveResult::Saved:
        return {};
    case ProfileFile::SaveResult::Unreadable:
        return texts::SettingsUnreadable();
    case ProfileFile::SaveResult::ReadOnly:
        return texts::SettingsReadOnly();
    case ProfileFile::SaveResult::OwnerNotKept:
        return texts::SettingsOwnerNotKept().arg(systemError);
    case ProfileFile::SaveResult::WriteFailed:
        break;
    }
    return texts::SettingsWriteFailed().arg(systemError);
}

} // namespace talvik
