#pragma once
// Address rows (four octet editors) and MAC rows (six byte editors), each on a
// white panel named after the row; the editors are named row + "_IP_" + position.

#include "gui/widgets/mac_edit.h"
#include "gui/widgets/number_edit.h"
#include "wire/frames.h"

#include <QFrame>
#include <QStaticText>
#include <QStringList>

namespace talvik {

class AddressRow : public QFrame {
    Q_OBJECT
  public:
    // panelName "ED_2", editorPrefix "Ed_2" gives editors Ed_2_IP_0 .. Ed_2_IP_3.
    AddressRow(const QString& panelName, const QString& editorPrefix, QWidget* parent = nullptr);

    NumberEdit* octet(int i) const { return octets_[i]; }
    QStringList texts() const; // the four three-digit display texts
    Ipv4 bytes() const;
    void setBytes(const Ipv4& bytes);
    void setReadOnly(bool on);
    // What a screen reader says for each editor: the row's caption and the octet's place.
    void nameEditors(const QString& rowCaption);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    NumberEdit* octets_[4];
    QStaticText dot_; // laid out at the first paint
};

class MacRow : public QFrame {
    Q_OBJECT
  public:
    MacRow(const QString& panelName, const QString& editorPrefix, const QString& designedText,
           QWidget* parent = nullptr);

    MacEdit* byte(int i) const { return bytes_[i]; }
    QStringList texts() const;
    void nameEditors(const QString& rowCaption);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    MacEdit* bytes_[6];
    QStaticText colon_; // laid out at the first paint
};

} // namespace talvik
