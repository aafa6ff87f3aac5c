// The operator's addresses and choices, loaded at start and saved at close.

#include "gui/app/TForm1_Config_UDP.h"
#include "gui/app/save_failure.h"
#include "gui/widgets/rows.h"
#include "store/ini_store.h"
#include "store/settings_keys.h"
#include "store/settings_location.h"

namespace talvik {

namespace {
using namespace settings;

// A stored number into a numeric editor; a text that is not a number keeps the key's
// default, so one bad value never costs the rest of the file.
void loadNumber(const IniStore& store, const char* section, int key, NumberEdit* editor)
{
    const QString def = QLatin1String(OctetDefault);
    if (!editor->setValueText(store.read(section, key, def)))
        editor->setValueText(def);
}

void loadRow(const IniStore& store, const char* section, AddressRow* row)
{
    for (int key = 1; key <= 4; ++key)
        loadNumber(store, section, key, row->octet(key - 1));
}

void saveRow(IniStore& store, const char* section, const AddressRow* row)
{
    for (int key = 1; key <= 4; ++key)
        store.write(section, key, row->octet(key - 1)->formattedText());
}
} // namespace

void TForm1_Config_UDP::loadSettings()
{
    IniStore store(settingsLocation_);
    const int bounds[4] = {x(), y(), width(), height()};
    for (int key = 1; key <= 4; ++key)
        store.write(Bounds, key, QString::number(bounds[key - 1]));
    // As the store writes at once. A file already holding these bounds is left alone, and
    // one that cannot be written now is left as it was: the close tries again and says so.
    store.flush();
    int read[4];
    for (int key = 1; key <= 4; ++key) {
        bool ok = false;
        read[key - 1] = store.read(Bounds, key, QLatin1String(BoundsDefaults[key - 1])).toInt(&ok);
        if (!ok)
            read[key - 1] = bounds[key - 1];
    }
    move(read[0], read[1]); // left and top are the frame's, as written above
    resize(read[2], read[3]);

    for (auto [section, row] : {std::pair{settings::BoardAddress, Ed_0},
                                {Dispatcher, ED_1},
                                {BoardIp, ED_2},
                                {Mask, ED_3},
                                {Gateway, ED_4}})
        loadRow(store, section, row);
    ED_11->octet(0)->setValue(0);
    ED_12->octet(0)->setValue(0);
    for (int key = 1; key <= 6; ++key)
        ED_5->byte(key - 1)->setStoredText(store.read(MacBytes, key, QLatin1String(MacDefaults[key - 1])));
    loadRow(store, RangeFirst, Panel1);
    loadNumber(store, RangeCount, 1, EdR1_0_IP_0);
    loadNumber(store, Identifier, 1, IND_MEdit);
    CheckBox2->setChecked(store.readFlag(ConsoleDynamic, 1, false));
    CheckBox4->setChecked(store.readFlag(BoardDhcp, 1, false));
}

bool TForm1_Config_UDP::saveSettings(QString* failure)
{
    IniStore store(settingsLocation_);
    saveRow(store, settings::BoardAddress, Ed_0);
    saveRow(store, Dispatcher, ED_1);
    saveRow(store, Reserve1, ED_11);
    saveRow(store, Reserve2, ED_12);
    saveRow(store, BoardIp, ED_2);
    saveRow(store, Mask, ED_3);
    saveRow(store, Gateway, ED_4);
    for (int key = 1; key <= 6; ++key)
        store.write(MacBytes, key, ED_5->byte(key - 1)->text());
    const int bounds[4] = {x(), y(), width(), height()};
    for (int key = 1; key <= 4; ++key)
        store.write(Bounds, key, QString::number(bounds[key - 1]));
    saveRow(store, RangeFirst, Panel1);
    store.write(RangeCount, 1, EdR1_0_IP_0->formattedText());
    store.write(Identifier, 1, IND_MEdit->plainText());
    store.writeFlag(ConsoleDynamic, 1, CheckBox2->isChecked());
    store.writeFlag(BoardDhcp, 1, CheckBox4->isChecked());
    const ProfileFile::SaveResult result = store.flush();
    if (failure)
        *failure = saveFailureText(result, store.systemError());
    return result == ProfileFile::SaveResult::Saved;
}

} // namespace talvik
