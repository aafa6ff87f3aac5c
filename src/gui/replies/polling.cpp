// After a reboot the configuration is read back four times, a second apart.

#include "gui/app/TForm1_Config_UDP.h"
#include "gui/widgets/tag.h"

namespace talvik {

void TForm1_Config_UDP::TimerRead_ConfTimer(QObject*)
{
    // A tick that falls due while the previous tick's message is still open would
    // stack a second message on the first; it only counts down.
    if (!messageOpen())
        Button2Click(TimerRead_Conf);
    setTag(TimerRead_Conf, tagOf(TimerRead_Conf) - 1);
    if (tagOf(TimerRead_Conf) < 0)
        TimerRead_Conf->stop();
}

} // namespace talvik
