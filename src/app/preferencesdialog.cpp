#include "app/preferencesdialog.h"

#include "shared/numberfield.h"
#include "shared/preferences.h"

PreferencesDialog::PreferencesDialog(QWidget* parent)
    : QDialog(parent, Qt::CustomizeWindowHint | Qt::WindowCloseButtonHint)
{
    setupUi(this);
    setFixedSize(sizeHint());
    imagePixelSizeLineEdit->setValidator(NumberField::createValidator(NumberField::Metres, this));

    const Preferences* preferences = Preferences::instance();
    // A language index that no item stands for is shown as English, the
    // language it starts the program in.
    int language = preferences->language();
    if (language < 0 || language >= languageComboBox->count())
        language = 0;
    languageComboBox->setCurrentIndex(language);
    imagePixelSizeLineEdit->setText(NumberField::text(preferences->imagePixelSize()));
    bilinearInterpolationCheckBox->setChecked(preferences->bilinearInterpolation());
    ignoreHeightValuesCheckBox->setChecked(preferences->ignoreHeightValues());
    createSurferBlankFilesCheckBox->setChecked(preferences->createSurferBlankFiles());
}

void PreferencesDialog::accept()
{
    Preferences* preferences = Preferences::instance();
    preferences->setLanguage(languageComboBox->currentIndex());
    preferences->setImagePixelSize(NumberField::value(imagePixelSizeLineEdit->text()));
    preferences->setBilinearInterpolation(bilinearInterpolationCheckBox->isChecked());
    preferences->setIgnoreHeightValues(ignoreHeightValuesCheckBox->isChecked());
    preferences->setCreateSurferBlankFiles(createSurferBlankFilesCheckBox->isChecked());
    preferences->save();
    QDialog::accept();
}
