#include "slices/addslicedialog.h"

#include "shared/applicationconstants.h"
#include "shared/numberfield.h"

#include <QDoubleValidator>
#include <QSettings>
#include <QShowEvent>

#include <cmath>

namespace {

const QString settingsApplication = QStringLiteral("AddSliceDialog");
const QString verticalKey = QStringLiteral("isVertical");

double valueOf(const QLineEdit* edit)
{
    return NumberField::value(edit->text());
}

} // namespace

AddSliceDialog::AddSliceDialog(QWidget* parent) : QDialog(parent)
{
    // A tool window stays above its parent window, but below the dialogs
    // that open over that window.
    setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setupUi(this);
    setFixedSize(sizeHint());

    connect(vRadioButton, &QRadioButton::clicked, this, &AddSliceDialog::showVerticalPage);
    connect(hRadioButton, &QRadioButton::clicked, this, &AddSliceDialog::showHorizontalPage);

    QDoubleValidator* validator = NumberField::createValidator(NumberField::Metres, this);
    for (const Field& field : fields()) {
        field.edit->setValidator(validator);
        field.edit->setText(NumberField::text(field.defaultValue));
    }

    loadSettings();

    connect(buttonBox, &QDialogButtonBox::accepted, this, &AddSliceDialog::onAccepted);
    connect(buttonBox, &QDialogButtonBox::rejected, this, &AddSliceDialog::onRejected);
}

QList<AddSliceDialog::Field> AddSliceDialog::fields() const
{
    // The order of the store.
    return {{"v_x1", 0.0, v_x1LineEdit},         {"v_y1", 0.0, v_y1LineEdit},
            {"v_x2", 10.0, v_x2LineEdit},        {"v_y2", 0.0, v_y2LineEdit},
            {"h_height", 0.0, h_heightLineEdit},
            {"h_x1", 0.0, h_x1LineEdit},         {"h_y1", 0.0, h_y1LineEdit},
            {"h_x2", 10.0, h_x2LineEdit},        {"h_y2", 0.0, h_y2LineEdit},
            {"h_x3", 10.0, h_x3LineEdit},        {"h_y3", 10.0, h_y3LineEdit},
            {"h_x4", 0.0, h_x4LineEdit},         {"h_y4", 10.0, h_y4LineEdit}};
}

void AddSliceDialog::setTitle(const QString& title)
{
    titleLineEdit->setText(title);
}

QString AddSliceDialog::title() const
{
    return titleLineEdit->text();
}

bool AddSliceDialog::isVertical() const
{
    return vRadioButton->isChecked();
}

QPolygonF AddSliceDialog::polygon() const
{
    if (isVertical())
        return QPolygonF() << QPointF(valueOf(v_x1LineEdit), valueOf(v_y1LineEdit))
                           << QPointF(valueOf(v_x2LineEdit), valueOf(v_y2LineEdit));
    return QPolygonF() << QPointF(valueOf(h_x1LineEdit), valueOf(h_y1LineEdit))
                       << QPointF(valueOf(h_x2LineEdit), valueOf(h_y2LineEdit))
                       << QPointF(valueOf(h_x3LineEdit), valueOf(h_y3LineEdit))
                       << QPointF(valueOf(h_x4LineEdit), valueOf(h_y4LineEdit));
}

double AddSliceDialog::height() const
{
    return valueOf(h_heightLineEdit);
}

void AddSliceDialog::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    // Each opening proposes a new title, ready to be typed over; otherwise
    // the focus would stay on OK, where the last click left it, and a space
    // would add the slice at once.
    titleLineEdit->setFocus(Qt::OtherFocusReason);
    titleLineEdit->selectAll();
}

void AddSliceDialog::showVerticalPage()
{
    stackedWidget->setCurrentIndex(0);
}

void AddSliceDialog::showHorizontalPage()
{
    stackedWidget->setCurrentIndex(1);
}

void AddSliceDialog::loadSettings()
{
    QSettings settings(applicationName, settingsApplication);
    for (const Field& field : fields()) {
        bool ok = false;
        double value = settings.value(QLatin1String(field.key), field.defaultValue).toDouble(&ok);
        // A hand-edited or older store may hold text, "nan", "inf" or numbers
        // beyond what the fields take, which no slice can use.
        if (!ok || !std::isfinite(value) || std::abs(value) > NumberField::limit(NumberField::Metres))
            value = field.defaultValue;
        field.edit->setText(NumberField::text(value));
    }
    // A click, not setChecked: its clicked() switches the page to match.
    if (settings.value(verticalKey, true).toBool())
        vRadioButton->click();
    else
        hRadioButton->click();
}

void AddSliceDialog::saveSettings()
{
    QSettings settings(applicationName, settingsApplication);
    for (const Field& field : fields())
        settings.setValue(QLatin1String(field.key), valueOf(field.edit));
    settings.setValue(verticalKey, vRadioButton->isChecked());
}

void AddSliceDialog::onAccepted()
{
    saveSettings();
    emit add();
    hide();
}

void AddSliceDialog::onRejected()
{
    loadSettings();
    hide();
}
