// The PC's external address from the echo service, and "<-": the read-back
// configuration copied into the write group.

#include "gui/app/TForm1_Config_UDP.h"
#include "gui/widgets/rows.h"
#include "wire/address_digits.h"

#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkProxy>
#include <QNetworkReply>
#include <QTimer>

namespace talvik {

namespace {
QNetworkRequest echoRequest(const QUrl& url)
{
    QNetworkRequest request(url);
    request.setRawHeader("Accept", "text/html, */*");
    request.setHeader(QNetworkRequest::UserAgentHeader,
                      QByteArrayLiteral("Mozilla/3.0 (compatible; Indy Library)"));
    request.setHeader(QNetworkRequest::ContentTypeHeader, QByteArrayLiteral("text/html"));
    return request;
}
} // namespace

void TForm1_Config_UDP::BitBtn1Click(QObject*)
{
    if (lookupRunning_)
        return; // one lookup at a time
    lookupRunning_ = true;
    struct Done {
        bool& running;
        ~Done() { running = false; }
    } done{lookupRunning_};

    QNetworkAccessManager manager;
    manager.setProxy(QNetworkProxy::NoProxy);
    QNetworkReply* reply = manager.get(echoRequest(options_.echoUrl));
    QEventLoop wait; // the window stays live: replies, timers and repaints go on
    QTimer giveUp;
    giveUp.setSingleShot(true);
    connect(&giveUp, &QTimer::timeout, reply, &QNetworkReply::abort);
    connect(reply, &QNetworkReply::finished, &wait, &QEventLoop::quit);
    giveUp.start(options_.lookupTimeoutMs);
    if (!reply->isFinished())
        wait.exec();

    const QByteArray body = reply->error() == QNetworkReply::NoError ? reply->readAll() : QByteArray();
    reply->deleteLater();

    if (const auto address = externalAddressDigits(body))
        Edit1->setText(*address);
}

void TForm1_Config_UDP::Button7Click(QObject*)
{
    auto copyRow = [](const AddressRow* from, AddressRow* to) {
        for (int i = 0; i < 4; ++i)
            to->octet(i)->setValueText(from->octet(i)->formattedText());
    };
    applyReadBackEmptying(); // what the operator would see by now
    copyRow(ED_7, ED_2);
    copyRow(ED_8, ED_3);
    copyRow(ED_9, ED_4);
    for (int i = 0; i < 6; ++i)
        ED_5->byte(i)->setText(ED_10->byte(i)->text());
    copyRow(ED_6, ED_1);
    CheckBox4->setChecked(CheckBox5->isChecked());
    CheckBox2->setChecked(CheckBox3->isChecked());
    IND_MEdit->setValueText(CurrencyEdit1->plainText());
}

} // namespace talvik
