#pragma once

#include "survey/track.h"

#include "ui_converterdialog.h"

#include <QDialog>
#include <QList>
#include <QMap>
#include <QString>

// Converts the legacy probe's records of one serial number into the device's
// own file, with an optional latitude, longitude and altitude text file.
class ConverterDialog : public QDialog, public Ui::ConverterDialog
{
    Q_OBJECT

public:
    ConverterDialog(const QMap<QString, QString>& info, const QList<Track>& tracks, QWidget* parent = nullptr);

    void convert();

private:
    // Shows the message with the file's name after it, in quotes.
    void warnAbout(const QString& message, const QString& fileName);

    QMap<QString, QString> m_info;
    QList<Track> m_tracks;
};
