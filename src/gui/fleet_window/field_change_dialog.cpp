#include "gui/fleet_window/field_change_dialog.h"

#include "fleet/fleet_wording.h"
#include "wire/board_address.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace talvik {

namespace {
const QStringList AddressFields{QStringLiteral("dispatcher"), QStringLiteral("mask"),
                                QStringLiteral("router"), QStringLiteral("reserve1"),
                                QStringLiteral("reserve2")};

QComboBox* choice(const QString& off, const QString& on)
{
    auto* box = new QComboBox;
    box->addItems({off, on});
    return box;
}
} // namespace

FieldChangeDialog::FieldChangeDialog(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("fieldChange"));
    setWindowTitle(tr("Змінити поля вибраних плат"));
    auto* layout = new QVBoxLayout(this);
    auto* hint = new QLabel(
        tr("Позначте поля, які змінити. Кожну плату буде записано на основі її власної постійної пам'яті."));
    hint->setWordWrap(true);
    layout->addWidget(hint);
    auto* grid = new QGridLayout;
    const QStringList order{QStringLiteral("dispatcher"), QStringLiteral("mask"),  QStringLiteral("router"),
                            QStringLiteral("console"),    QStringLiteral("dhcp"),  QStringLiteral("reserve1"),
                            QStringLiteral("reserve2"),   QStringLiteral("branch")};
    for (const QString& field : order) {
        auto* box = new QCheckBox(fleet::fieldTitles({field}));
        box->setObjectName(QStringLiteral("change_") + field);
        QWidget* editor = nullptr;
        if (AddressFields.contains(field))
            editor = new QLineEdit;
        else if (field == QLatin1String("console"))
            editor = choice(tr("статична"), tr("динамічна"));
        else if (field == QLatin1String("dhcp"))
            editor = choice(tr("ні"), tr("так"));
        else {
            auto* spin = new QSpinBox;
            spin->setRange(0, 255);
            editor = spin;
        }
        editor->setObjectName(QStringLiteral("value_") + field);
        editor->setAccessibleName(box->text());
        editor->setEnabled(false);
        connect(box, &QCheckBox::toggled, editor, &QWidget::setEnabled);
        const int row = int(chosen_.size());
        grid->addWidget(box, row, 0);
        grid->addWidget(editor, row, 1);
        chosen_.insert(field, box);
        editors_.insert(field, editor);
    }
    layout->addLayout(grid);
    problem = new QLabel;
    problem->setObjectName(QStringLiteral("problem"));
    problem->setWordWrap(true);
    problem->hide();
    layout->addWidget(problem);
    table = new WritePreview;
    layout->addWidget(table, 1);
    auto* buttons = new QHBoxLayout;
    preview = new QPushButton(tr("&Переглянути"));
    preview->setObjectName(QStringLiteral("preview"));
    write = new QPushButton(tr("&Записати"));
    write->setObjectName(QStringLiteral("write"));
    write->setEnabled(false);
    auto* close = new QPushButton(tr("За&крити"));
    close->setObjectName(QStringLiteral("close"));
    buttons->addStretch(1);
    for (QPushButton* b : {preview, write, close})
        buttons->addWidget(b);
    layout->addLayout(buttons);
    connect(preview, &QPushButton::clicked, this, [this] {
        write->setEnabled(false); // a new preview first
        emit previewWanted();
    });
    connect(write, &QPushButton::clicked, this, &FieldChangeDialog::writeWanted);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    for (QCheckBox* box : chosen_)
        connect(box, &QCheckBox::toggled, this, &FieldChangeDialog::edited);
    for (QWidget* editor : editors_) {
        if (auto* line = qobject_cast<QLineEdit*>(editor))
            connect(line, &QLineEdit::textEdited, this, &FieldChangeDialog::edited);
        else if (auto* box = qobject_cast<QComboBox*>(editor))
            connect(box, &QComboBox::currentIndexChanged, this, &FieldChangeDialog::edited);
        else if (auto* spin = qobject_cast<QSpinBox*>(editor))
            connect(spin, &QSpinBox::valueChanged, this, &FieldChangeDialog::edited);
    }
    resize(640, 560);
}

void FieldChangeDialog::edited()
{
    // What the table shows is no longer what would be written.
    asked_.reset();
    shown_.reset();
    write->setEnabled(false);
    if (table->rowCount() > 0)
        showProblem(tr("Значення змінено: «Переглянути» ще раз, перш ніж записати."));
}

void FieldChangeDialog::previewAsked(const FieldChange& change)
{
    asked_ = change;
    shown_.reset();
}

std::optional<FieldChange> FieldChangeDialog::change(QString* why) const
{
    FieldChange c;
    const auto on = [this](const char* field) { return chosen_.value(QLatin1String(field))->isChecked(); };
    for (const QString& field : AddressFields) {
        if (!chosen_.value(field)->isChecked())
            continue;
        const QString text = static_cast<QLineEdit*>(editors_.value(field))->text().trimmed();
        const std::optional<quint32> address = parseDottedDecimal(text);
        if (!address) {
            *why = tr("%1: «%2» — не адреса").arg(fleet::fieldTitles({field}), text);
            return std::nullopt;
        }
        std::optional<Ipv4>& slot = field == QLatin1String("dispatcher") ? c.dispatcher
                                    : field == QLatin1String("mask")     ? c.mask
                                    : field == QLatin1String("router")   ? c.router
                                    : field == QLatin1String("reserve1") ? c.reserve1
                                                                         : c.reserve2;
        slot = octetsOf(*address);
    }
    if (on("console"))
        c.consoleDynamic =
            static_cast<QComboBox*>(editors_.value(QStringLiteral("console")))->currentIndex() == 1;
    if (on("dhcp"))
        c.dhcp = static_cast<QComboBox*>(editors_.value(QStringLiteral("dhcp")))->currentIndex() == 1;
    if (on("branch"))
        c.branch = quint8(static_cast<QSpinBox*>(editors_.value(QStringLiteral("branch")))->value());
    if (c.empty()) {
        *why = tr("Позначте хоча б одне поле.");
        return std::nullopt;
    }
    return c;
}

void FieldChangeDialog::takeFrom(const BoardConfig& reference, const QStringList& fields)
{
    const auto texts = fieldTexts(reference);
    for (const auto& [field, text] : texts) {
        if (!fields.contains(field) || !chosen_.contains(field))
            continue;
        chosen_.value(field)->setChecked(true);
        QWidget* editor = editors_.value(field);
        if (auto* line = qobject_cast<QLineEdit*>(editor))
            line->setText(text);
        else if (auto* box = qobject_cast<QComboBox*>(editor))
            box->setCurrentIndex(text == QLatin1String("1") || text == QLatin1String("dynamic") ? 1 : 0);
        else if (auto* spin = qobject_cast<QSpinBox*>(editor))
            spin->setValue(text.toInt());
    }
}

void FieldChangeDialog::showProblem(const QString& text)
{
    problem->setText(text);
    problem->setAccessibleName(text);
    problem->setVisible(!text.isEmpty());
}

void FieldChangeDialog::showPreview(const QList<BoardResult>& planned)
{
    if (!asked_) // edited while it was read: it is no longer this dialog's preview
        return;
    shown_ = std::exchange(asked_, std::nullopt);
    showProblem({});
    table->showPlanned(planned);
    write->setEnabled(table->writesAnything());
}

} // namespace talvik
