#pragma once
// TLanguage: sets the interface's texts from a language file and translates each message just
// before it is shown. One instance, Language1, owned by the main window; while it lives every
// platform::TranslateText goes through it.

#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>

class QComboBox;

class TLanguage : public QObject {
    Q_OBJECT
  public:
    explicit TLanguage(QObject* owner);
    ~TLanguage() override;

    // The instance the windows translate themselves with at creation; null when none lives.
    static TLanguage* Current();

    QStringList Properties() const { return properties_; }
    void SetProperties(const QStringList& keys) { properties_ = keys; }
    QString LanguageFile;  // full path; empty when no language is chosen
    QString Separator() const { return separator_; }
    void SetSeparator(const QString& separator);

    using Notify = std::function<void(TLanguage& sender)>;
    // May change value, the text about to be set on target's property.
    using TranslateEvent =
        std::function<void(TLanguage& sender, QObject* target, const QString& property,
                           const QString& current, QString& value)>;
    Notify OnBeforeTranslation, OnAfterTranslation;
    TranslateEvent OnTranslate;

    // A pass over every key of Properties.
    void Translate();
    QString TranslateText(const QString& english) const;
    // Resolves window, component and property by name (ignoring case) and sets the property;
    // anything that does not resolve, and an empty value, changes nothing.
    void ApplyProperty(const QString& key, const QString& value);

  signals:
    // After every pass: texts a window sets itself follow the language here.
    void Translated();

  private:
    QStringList properties_;
    QString separator_ = ",";
};

// A pass of the living translation component, if any: every window runs one when created.
void TranslateWindows();

// Items of a list given in English (each marked with platform::ToTranslate): shown translated,
// and translated again at every later pass, in whatever language it brings.
void AddEnglishItems(QComboBox* box, const QStringList& english);
// Every such item of every window, in the language in use.
void RetranslateItems();
