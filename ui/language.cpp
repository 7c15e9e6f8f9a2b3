#include "ui/language.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMetaProperty>
#include <QPlainTextEdit>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTableWidget>
#include <QTextEdit>
#include <QTreeWidget>
#include <optional>

#include "platform/Translate.h"
#include "ui/LanguageFile.h"
#include "ui/WindowRegistry.h"

namespace {

TLanguage*& Instance() {
    static TLanguage* instance = nullptr;
    return instance;
}

// How one named property of a component is read and written. The design's property names map
// to their Qt counterparts; any other name is looked up among the Qt properties.
struct Property {
    enum Kind { Text, Integer, List } kind = Text;
    std::function<QString()> get;
    std::function<void(const QVariant&)> set;
};

template <typename W>
Property TextOf(W* w, QString (W::*get)() const, void (W::*set)(const QString&)) {
    return {Property::Text, [w, get] { return (w->*get)(); },
            [w, set](const QVariant& v) { (w->*set)(v.toString()); }};
}

// A page of a tab control: its caption is the tab's text.
QTabWidget* TabsOf(QWidget* page, int& index) {
    auto* stack = qobject_cast<QStackedWidget*>(page->parentWidget());
    auto* tabs = stack ? qobject_cast<QTabWidget*>(stack->parentWidget()) : nullptr;
    index = tabs ? tabs->indexOf(page) : -1;
    return index >= 0 ? tabs : nullptr;
}

std::optional<Property> Caption(QObject* o) {
    if (auto* a = qobject_cast<QAction*>(o)) return TextOf(a, &QAction::text, &QAction::setText);
    if (auto* m = qobject_cast<QMenu*>(o)) return TextOf(m, &QMenu::title, &QMenu::setTitle);
    if (auto* g = qobject_cast<QGroupBox*>(o))
        return TextOf(g, &QGroupBox::title, &QGroupBox::setTitle);
    if (auto* b = qobject_cast<QAbstractButton*>(o))
        return TextOf(b, &QAbstractButton::text, &QAbstractButton::setText);
    if (auto* l = qobject_cast<QLabel*>(o)) return TextOf(l, &QLabel::text, &QLabel::setText);
    auto* w = qobject_cast<QWidget*>(o);
    if (!w) return std::nullopt;
    if (w->isWindow()) return TextOf(w, &QWidget::windowTitle, &QWidget::setWindowTitle);
    int index = -1;
    if (QTabWidget* tabs = TabsOf(w, index))
        return Property{
            Property::Text, [tabs, index] { return tabs->tabText(index); },
            [tabs, index](const QVariant& v) { tabs->setTabText(index, v.toString()); }};
    return std::nullopt;
}

std::optional<Property> Hint(QObject* o) {
    if (auto* m = qobject_cast<QMenu*>(o)) o = m->menuAction();
    if (auto* a = qobject_cast<QAction*>(o))
        return Property{Property::Text, [a] { return a->toolTip(); },
                        [a](const QVariant& v) {
                            a->setToolTip(v.toString());
                            a->setStatusTip(v.toString());
                        }};
    if (auto* w = qobject_cast<QWidget*>(o))
        return TextOf(w, &QWidget::toolTip, &QWidget::setToolTip);
    return std::nullopt;
}

std::optional<Property> TextProperty(QObject* o) {
    if (auto* e = qobject_cast<QLineEdit*>(o))
        return TextOf(e, &QLineEdit::text, &QLineEdit::setText);
    if (auto* c = qobject_cast<QComboBox*>(o))
        return TextOf(c, &QComboBox::currentText, &QComboBox::setCurrentText);
    if (auto* p = qobject_cast<QPlainTextEdit*>(o))
        return TextOf(p, &QPlainTextEdit::toPlainText, &QPlainTextEdit::setPlainText);
    if (auto* t = qobject_cast<QTextEdit*>(o))
        return TextOf(t, &QTextEdit::toPlainText, &QTextEdit::setPlainText);
    if (qobject_cast<QAbstractButton*>(o) || qobject_cast<QLabel*>(o)) return Caption(o);
    return std::nullopt;
}

// Column titles; items beyond the last column are dropped rather than adding columns.
std::optional<Property> TitleCaptions(QObject* o) {
    auto* table = qobject_cast<QTableWidget*>(o);
    auto* tree = qobject_cast<QTreeWidget*>(o);
    if (!table && !tree) return std::nullopt;
    const auto columns = [=] { return table ? table->columnCount() : tree->columnCount(); };
    const auto title = [=](int c) {
        if (table)
            return table->horizontalHeaderItem(c) ? table->horizontalHeaderItem(c)->text()
                                                  : QString();
        return tree->headerItem()->text(c);
    };
    return Property{Property::List,
                    [=] {
                        QStringList titles;
                        for (int c = 0; c < columns(); ++c) titles << title(c);
                        return titles.join(',');
                    },
                    [=](const QVariant& v) {
                        const QStringList titles = v.toStringList();
                        for (int c = 0; c < columns() && c < titles.size(); ++c) {
                            if (table) {
                                if (!table->horizontalHeaderItem(c))
                                    table->setHorizontalHeaderItem(c, new QTableWidgetItem);
                                table->horizontalHeaderItem(c)->setText(titles[c]);
                            } else {
                                tree->headerItem()->setText(c, titles[c]);
                            }
                        }
                    }};
}

std::optional<Property> QtProperty(QObject* o, const QString& name) {
    const QMetaObject* meta = o->metaObject();
    for (int i = 0; i < meta->propertyCount(); ++i) {
        const QMetaProperty p = meta->property(i);
        if (QString::fromLatin1(p.name()).compare(name, Qt::CaseInsensitive) != 0 ||
            !p.isWritable())
            continue;
        Property::Kind kind;
        switch (p.metaType().id()) {
            case QMetaType::Int:
                kind = Property::Integer;
                break;
            case QMetaType::QString:
                kind = Property::Text;
                break;
            case QMetaType::QStringList:
                kind = Property::List;
                break;
            default:
                return std::nullopt;
        }
        return Property{kind,
                        [o, p] {
                            const QVariant v = p.read(o);
                            return v.typeId() == QMetaType::QStringList ? v.toStringList().join(',')
                                                                        : v.toString();
                        },
                        [o, p](const QVariant& v) { p.write(o, v); }};
    }
    return std::nullopt;
}

std::optional<Property> FindProperty(QObject* o, const QString& name) {
    if (name.compare("Caption", Qt::CaseInsensitive) == 0) return Caption(o);
    if (name.compare("Hint", Qt::CaseInsensitive) == 0) return Hint(o);
    if (name.compare("Text", Qt::CaseInsensitive) == 0) return TextProperty(o);
    if (name.compare("TitleCaptions", Qt::CaseInsensitive) == 0) return TitleCaptions(o);
    return QtProperty(o, name);
}

// An empty name is no name: it never picks an unnamed component.
bool Named(const QObject* o, const QString& name) {
    return o && !name.isEmpty() && o->objectName().compare(name, Qt::CaseInsensitive) == 0;
}

// The program's windows in creation order, then any other window (one still being created is
// not yet among the program's).
QList<QObject*> TopWindows() {
    QList<QObject*> all;
    for (QWidget* w : WindowsInOrder()) all << w;
    for (QWidget* top : QApplication::topLevelWidgets())
        if (!top->parentWidget() && !all.contains(top)) all << top;
    return all;
}

}  // namespace

TLanguage::TLanguage(QObject* owner) : QObject(owner) {
    setObjectName("Language1");
    Instance() = this;
    platform::SetTranslator([this](const std::string& english) {
        return TranslateText(QString::fromStdString(english)).toStdString();
    });
}

TLanguage::~TLanguage() {
    if (Instance() != this) return;
    Instance() = nullptr;
    platform::SetTranslator({});
}

TLanguage* TLanguage::Current() {
    return Instance();
}

void TLanguage::SetSeparator(const QString& separator) {
    separator_ = QString::fromStdString(language::NormalSeparator(separator.toStdString()));
}

void TLanguage::Translate() {
    if (OnBeforeTranslation) OnBeforeTranslation(*this);
    const language::Translations values = language::ReadTranslations(LanguageFile.toStdString());
    for (const QString& key : properties_) {
        if (key.trimmed().isEmpty()) continue;
        const auto found = values.find(key.toStdString());
        ApplyProperty(key,
                      found == values.end() ? QString() : QString::fromStdString(found->second));
    }
    RetranslateItems();
    if (OnAfterTranslation) OnAfterTranslation(*this);
    emit Translated();
}

QString TLanguage::TranslateText(const QString& english) const {
    return QString::fromStdString(
        language::TranslateMessage(LanguageFile.toStdString(), english.toStdString()));
}

void TLanguage::ApplyProperty(const QString& key, const QString& value) {
    const language::KeyPath path = language::SplitKey(key.toStdString());
    if (path.names.empty() || value.isEmpty()) return;
    QObject* current = nullptr;
    for (QObject* window : TopWindows()) {
        if (Named(window, QString::fromStdString(path.names[0]))) {
            current = window;
            break;
        }
    }
    for (std::size_t i = 1; current && i < path.names.size(); ++i) {
        const QString name = QString::fromStdString(path.names[i]);
        QObject* next = nullptr;
        for (QObject* child : current->findChildren<QObject*>()) {
            if (Named(child, name)) {
                next = child;
                break;
            }
        }
        current = next;
    }
    if (!current) return;
    const QString property = QString::fromStdString(path.property);
    std::optional<Property> target = FindProperty(current, property);
    QString text = value;
    if (OnTranslate)
        OnTranslate(*this, current, property, target ? target->get() : QString(), text);
    if (!target) return;
    switch (target->kind) {
        case Property::Text:
            target->set(text);
            break;
        case Property::Integer:
            // Not a whole number: the property keeps its value.
            if (const auto n = language::ParseInteger(text.toStdString())) target->set(*n);
            break;
        case Property::List: {
            QStringList items;
            for (const std::string& item :
                 language::SplitList(text.toStdString(), separator_.toStdString()))
                items << QString::fromStdString(item);
            target->set(items);
            break;
        }
    }
}

void TranslateWindows() {
    if (TLanguage* language = TLanguage::Current()) language->Translate();
}

namespace {
// Where an item keeps its English.
constexpr int kEnglishRole = Qt::UserRole + 60;
}  // namespace

void AddEnglishItems(QComboBox* box, const QStringList& english) {
    for (const QString& text : english) {
        box->addItem(QString::fromStdString(platform::TranslateText(text.toStdString())));
        box->setItemData(box->count() - 1, text, kEnglishRole);
    }
}

void RetranslateItems() {
    for (QWidget* window : QApplication::topLevelWidgets())
        for (QComboBox* box : window->findChildren<QComboBox*>())
            for (int i = 0; i < box->count(); ++i) {
                const QString english = box->itemData(i, kEnglishRole).toString();
                if (!english.isEmpty())
                    box->setItemText(
                        i, QString::fromStdString(platform::TranslateText(english.toStdString())));
            }
}
