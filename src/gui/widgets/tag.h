#pragma once
// Small integer flags that handlers keep on the control they concern: which memory
// a read button asks for, the follow-up countdown, the range run flag, the pause flag.

#include <QObject>
#include <QVariant>

namespace talvik {

inline int tagOf(const QObject* object)
{
    return object ? object->property("Tag").toInt() : 0;
}
inline void setTag(QObject* object, int value)
{
    object->setProperty("Tag", value);
}

} // namespace talvik
