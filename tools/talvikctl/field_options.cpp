#include "field_options.h"

#include "board/backup_file.h"
#include "wire/board_address.h"

namespace talvik::ctl {

void addFieldOptions(CommandLine& line)
{
    line.parser.addOptions({
        {QStringLiteral("from"), QStringLiteral("Start from a backup file (survey --save)."),
         QStringLiteral("file")},
        {QStringLiteral("ip"), QStringLiteral("The board's own address."), QStringLiteral("address")},
        {QStringLiteral("mask"), QStringLiteral("Network mask."), QStringLiteral("address")},
        {QStringLiteral("router"), QStringLiteral("Gateway."), QStringLiteral("address")},
        {QStringLiteral("mac"), QStringLiteral("MAC address, six hexadecimal pairs."), QStringLiteral("mac")},
        {QStringLiteral("dhcp"),
         QStringLiteral("The board takes its address by DHCP (makes the console dynamic).")},
        {QStringLiteral("no-dhcp"), QStringLiteral("The board's address is static.")},
        {QStringLiteral("console-dynamic"), QStringLiteral("The dispatch console's address is dynamic.")},
        {QStringLiteral("console-static"),
         QStringLiteral("The console's address is static (makes the board static).")},
        {QStringLiteral("dispatcher"), QStringLiteral("Dispatcher computer (sent with a dynamic console)."),
         QStringLiteral("address")},
        {QStringLiteral("ident"), QStringLiteral("Board identifier 0..65535 (sent with a dynamic console)."),
         QStringLiteral("n")},
        {QStringLiteral("reserve1"), QStringLiteral("Reserve address 1 (sent with a dynamic console)."),
         QStringLiteral("address")},
        {QStringLiteral("reserve2"), QStringLiteral("Reserve address 2 (sent with a dynamic console)."),
         QStringLiteral("address")},
        {QStringLiteral("branch"), QStringLiteral("Network branch number 0..255."), QStringLiteral("n")},
        {QStringLiteral("no-verify"), QStringLiteral("Do not read the permanent memory back.")},
        {QStringLiteral("force"),
         QStringLiteral("Write also an IP address or mask at which the board would be out of reach, or a "
                        "configuration with values a static console's frame cannot carry.")},
        {QStringLiteral("skip-unchanged"),
         QStringLiteral("Write nothing to a board whose permanent memory holds these values already "
                        "(outcome \"unchanged\"): a run again changes nothing.")},
    });
}

BoardConfig readBackup(const QString& path)
{
    try {
        BoardConfig config = readBackupFile(path);
        boardArgument(dottedText(config.address)); // a backup names a board, never a network
        return config;
    }
    catch (const BackupError& e) {
        throw UsageError{e.message()};
    }
}

FieldChange changeOptions(const CommandLine& line)
{
    FieldChange change;
    const auto address = [&](const char* name, std::optional<Ipv4>& field) {
        if (line.isSet(QLatin1String(name)))
            field = octetsOf(addressArgument(line.value(QLatin1String(name))));
    };
    address("ip", change.ip);
    address("mask", change.mask);
    address("router", change.router);
    address("dispatcher", change.dispatcher);
    address("reserve1", change.reserve1);
    address("reserve2", change.reserve2);
    if (line.isSet(QStringLiteral("mac")))
        change.mac = macArgument(line.value(QStringLiteral("mac")));
    if (line.isSet(QStringLiteral("ident")))
        change.ident =
            quint16(numberArgument(QStringLiteral("ident"), line.value(QStringLiteral("ident")), 0, 65535));
    if (line.isSet(QStringLiteral("branch")))
        change.branch =
            quint8(numberArgument(QStringLiteral("branch"), line.value(QStringLiteral("branch")), 0, 255));
    const bool dhcp = line.isSet(QStringLiteral("dhcp")), noDhcp = line.isSet(QStringLiteral("no-dhcp"));
    const bool dynamic = line.isSet(QStringLiteral("console-dynamic"));
    const bool fixed = line.isSet(QStringLiteral("console-static"));
    if ((dhcp && noDhcp) || (dynamic && fixed) || (dhcp && fixed))
        throw UsageError{
            QStringLiteral("contradictory address types (a DHCP board needs a dynamic console)")};
    if (dhcp || noDhcp)
        change.dhcp = dhcp;
    if (dynamic || fixed)
        change.consoleDynamic = dynamic;
    return change;
}

} // namespace talvik::ctl
