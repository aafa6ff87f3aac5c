#pragma once
// Why TalvikCom.ini could not be saved, in the operator's words, for each window that saves
// its part of it.

#include "store/profile_file.h"

#include <QString>

namespace talvik {

// Empty when saved; the file is always left as it was otherwise.
QString saveFailureText(ProfileFile::SaveResult result, const QString& systemError);

} // namespace talvik
