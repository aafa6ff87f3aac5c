#include "gui/app/TForm1_Config_UDP.h"
#include "gui/app/language.h"
#include "gui/app/window_font.h"
#include "gui/fleet_window/fleet_window_host.h"

#include <QApplication>
#include <QCommandLineParser>
#include <cstdio>

namespace {
const QCommandLineOption FleetOption(
    QStringLiteral("fleet"),
    QStringLiteral(
        "Opens the fleet window (every board of the network in one table) in front of the configurator."));
const QCommandLineOption LangOption(
    QStringLiteral("lang"),
    QStringLiteral("The windows' language: uk (Ukrainian, the default) or en (English). Remembered in the "
                   "settings file for the next start."),
    QStringLiteral("code"));

void describe(QCommandLineParser& parser)
{
    parser.setApplicationDescription(QStringLiteral("Configurator for networked lift-controller boards."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addOption(FleetOption);
    parser.addOption(LangOption);
}

// --help and --version answer on a terminal, without a display.
bool onlyText(int argc, char* argv[])
{
    for (int i = 1; i < argc; ++i)
        for (const char* option : {"-h", "-?", "--help", "--help-all", "-v", "--version"})
            if (qstrcmp(argv[i], option) == 0)
                return true;
    return false;
}

// The language asked for on the command line, remembered; otherwise the one remembered.
std::optional<talvik::Language> chooseLanguage(const QCommandLineParser& parser)
{
    const talvik::SettingsLocation location = talvik::resolveSettingsLocation({});
    if (!parser.isSet(LangOption))
        return talvik::storedLanguage(location);
    const auto asked = talvik::languageFromCode(parser.value(LangOption));
    if (!asked) {
        std::fprintf(stderr, "talvikcom: --lang takes uk or en, not \"%s\"\n",
                     qPrintable(parser.value(LangOption)));
        return std::nullopt;
    }
    const QString failure = talvik::storeLanguage(location, *asked);
    if (!failure.isEmpty())
        std::fprintf(stderr, "talvikcom: the language is not remembered: %s\n", qPrintable(failure));
    return asked;
}
} // namespace

int main(int argc, char* argv[])
{
    if (onlyText(argc, argv)) {
        QCoreApplication core(argc, argv);
        QCoreApplication::setApplicationVersion(QStringLiteral(TALVIK_VERSION));
        QCommandLineParser parser;
        describe(parser);
        parser.process(core); // prints and exits
        return 0;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("TalvikCom"));
    QApplication::setApplicationVersion(QStringLiteral(TALVIK_VERSION));
    // The application title is the desktop entry's name and the title of the message
    // boxes; given to Qt as the display name it would be glued to every window caption.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.example.talvikcom.TalvikCom"));
    QCommandLineParser parser;
    describe(parser);
    parser.process(app);
    const auto language = chooseLanguage(parser);
    if (!language)
        return 2;
    // Before any window: every text is made in the language installed when it is made.
    if (!talvik::installLanguage(*language))
        std::fprintf(stderr, "talvikcom: the English translation is missing from this build\n");

    talvik::useWindowFont();
    talvik::TForm1_Config_UDP window;
    talvik::FleetWindowHost fleet(window);
    window.show();
    if (parser.isSet(FleetOption))
        fleet.open();
    return app.exec();
}
