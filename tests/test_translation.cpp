#include "core/translations.h"
#include "src/commandline/commandline.h"
#include "src/files/documentfile.h"
#include "src/files/fileformats.h"
#include "src/files/graphexport.h"
#include "src/files/importeddocument.h"
#include "src/files/recovery.h"
#include "src/files/settingsfile.h"
#include "src/model/constants.h"
#include "src/vandrel.h"
#include "src/window/helpdialogs.h"
#include "tests/hostile_files.h"
#include "tests/testpaths.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QToolButton>
#include <QTranslator>
#include <QProcess>
#include <QRegularExpression>
#include <QSettings>
#include <QSet>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <QtTest>

#include <functional>
#include <memory>
#include <vector>

using hostile::TMaker;

Q_DECLARE_METATYPE(hostile::TMaker)

namespace {

const QLocale GERMAN(QLocale::German, QLocale::Germany);

// One message of a Qt Linguist file.
struct TMessage
{
  QString context;
  QString source;
  QString comment;
  QString type;               // the translation's state: empty once it is finished
  QStringList translations;   // one text, or one for each plural form
  bool numerus = false;
};

// Identifies a message as lupdate does.
QString Key(const TMessage &message)
{
  return message.context + QLatin1Char('\x1f') + message.source + QLatin1Char('\x1f')
         + message.comment;
}

void Read_Translation(QXmlStreamReader *xml, TMessage *message)
{
  message->type = xml->attributes().value(QLatin1String("type")).toString();
  while (xml->readNextStartElement()) {
    if (xml->name() == QLatin1String("numerusform")) {
      message->translations << xml->readElementText();
    } else {
      xml->skipCurrentElement();
    }
  }
}

TMessage Read_Message(QXmlStreamReader *xml, const QString &context)
{
  TMessage message;
  message.context = context;
  message.numerus = xml->attributes().value(QLatin1String("numerus")) == QLatin1String("yes");
  while (xml->readNextStartElement()) {
    if (xml->name() == QLatin1String("source")) {
      message.source = xml->readElementText();
    } else if (xml->name() == QLatin1String("comment")) {
      message.comment = xml->readElementText();
    } else if (xml->name() == QLatin1String("translation") && message.numerus) {
      Read_Translation(xml, &message);
    } else if (xml->name() == QLatin1String("translation")) {
      message.type = xml->attributes().value(QLatin1String("type")).toString();
      message.translations << xml->readElementText();
    } else {
      xml->skipCurrentElement();
    }
  }
  return message;
}

std::vector<TMessage> Read_Messages(const QString &path, QString *error)
{
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    *error = path + QStringLiteral(": ") + file.errorString();
    return {};
  }
  QXmlStreamReader xml(&file);
  std::vector<TMessage> messages;
  QString context;
  while (!xml.atEnd()) {
    xml.readNext();
    if (xml.isStartElement() && xml.name() == QLatin1String("name")) {
      context = xml.readElementText();
    } else if (xml.isStartElement() && xml.name() == QLatin1String("message")) {
      messages.push_back(Read_Message(&xml, context));
    }
  }
  if (xml.hasError()) {
    *error = path + QStringLiteral(": ") + xml.errorString();
  }
  return messages;
}

QString German_Catalogue()
{
  return QString::fromUtf8(SOURCE_ROOT) + QStringLiteral("/translations/vandrel_de.ts");
}

// The numbered place markers of a text, %1 to %99, each once, in order.
QStringList Place_Markers(const QString &text)
{
  static const QRegularExpression marker(QStringLiteral("%(\\d{1,2})"));
  QStringList markers;
  QRegularExpressionMatchIterator it = marker.globalMatch(text);
  while (it.hasNext()) {
    markers << it.next().captured(0);
  }
  markers.sort();
  markers.removeDuplicates();
  return markers;
}

// Menu mnemonics: an ampersand before a letter, neither "&&" nor an HTML entity.
int Mnemonics(const QString &text)
{
  static const QRegularExpression mnemonic(QStringLiteral("&(?!&|[a-z]+;)(?<!&&)"));
  return int(text.count(mnemonic));
}

QStringList Html_Tags(const QString &text)
{
  static const QRegularExpression tag(QStringLiteral("</?[a-zA-Z0-9]+>"));
  QStringList tags;
  QRegularExpressionMatchIterator it = tag.globalMatch(text);
  while (it.hasNext()) {
    tags << it.next().captured(0);
  }
  return tags;
}

QString Ending(const QString &text)
{
  for (const QString &ellipsis : {QStringLiteral("..."), QStringLiteral("\u2026")}) {
    if (text.endsWith(ellipsis)) {
      return ellipsis;
    }
  }
  return QString();
}

// What a translation of the source must keep: its place markers, mnemonic, markup, the
// ellipsis of a command that asks for more, and the blanks at either end that join it to
// other text. Empty when it keeps all of them.
QString Kept_Form(const QString &source, const QString &translation)
{
  if (translation.isEmpty()) {
    return QStringLiteral("is empty");
  }
  if (Place_Markers(translation) != Place_Markers(source)) {
    return QStringLiteral("has the place markers %1").arg(Place_Markers(translation).join(' '));
  }
  if (Mnemonics(translation) != Mnemonics(source)) {
    return QStringLiteral("has %1 mnemonics").arg(Mnemonics(translation));
  }
  if (Html_Tags(translation) != Html_Tags(source)) {
    return QStringLiteral("has the tags %1").arg(Html_Tags(translation).join(QString()));
  }
  if (Ending(translation) != Ending(source)) {
    return QStringLiteral("ends differently");
  }
  if (translation.startsWith(' ') != source.startsWith(' ')
      || translation.endsWith(' ') != source.endsWith(' ')) {
    return QStringLiteral("has other blanks at its ends");
  }
  return QString();
}

QTemporaryDir &Folder()
{
  static QTemporaryDir folder;
  return folder;
}

// A message the program gives about a file or a command line, in whatever language the
// translations installed now speak.
using TMessage_Maker = std::function<QString()>;

QString Read_Message(const std::function<bool(const QString &, QString *)> &read,
                     const QString &path)
{
  QString message;
  return read(path, &message) ? QStringLiteral("read without a message") : message;
}

QString Document_Message(const QString &path)
{
  return Read_Message(
    [](const QString &file, QString *message) {
      TContent content;
      return Read_Document(file, &content, message);
    },
    path);
}

QString Import_Message(const QString &path)
{
  return Read_Message(
    [](const QString &file, QString *message) {
      TImport_Ranges ranges;
      ranges.input = Corrected_Input(DEFAULT_INPUT_RANGE);
      ranges.edit = DEFAULT_EDIT_RANGE;
      TContent content;
      bool resampled = false;
      return Import_Document(file, QLocale::c(), ranges, &content, &resampled, message);
    },
    path);
}

QString Recovery_Message(const QString &path)
{
  return Read_Message(
    [](const QString &file, QString *message) {
      TRecovered_Work work;
      return Read_Recovery(file, &work, message);
    },
    path);
}

QString Settings_Message(const QString &path)
{
  QString message;
  Open_Settings_File(path, &message);
  return message;
}

QString Graph_Message(const QString &path, const QSize &size)
{
  const std::vector<TGraphDataSet> sets;
  TGraph_Content content;
  content.Sets = &sets;
  QString message;
  return Export_Graph(content, TGraph_View(), path, size, 1.0, &message)
           ? QStringLiteral("written without a message")
           : message;
}

QString Usage_Message(const QStringList &arguments)
{
  return Parse_Command_Line(QStringList{QStringLiteral("vandrel")} + arguments).error;
}

// A small document whose text goes on with `more` before its closing brace.
QByteArray Document_With(const QByteArray &more)
{
  return "{\"vandrel\": 1, \"input\": {\"start\": 0, \"increment\": 1, \"end\": 1, \"values\": "
         "[1, 2]}, \"editor\": {\"start\": 0, \"increment\": 1, \"end\": 1, \"offsets\": [0, 0]}"
         + more + "}";
}

// Makes the file and says what the reader makes of it.
TMessage_Maker File_Message(const TMaker maker, const QString &name, const QByteArray &bytes,
                            const std::function<QString(const QString &)> &read)
{
  return [=] {
    const QString path = Folder().filePath(name);
    if (!QFileInfo::exists(path) && !QFileInfo(path).isSymLink()) {
      hostile::Make(maker, path, bytes);
    }
    return read(path);
  };
}

// The English reason after the file's name: what the German message must not repeat.
QString English_Reason(const QString &message)
{
  QString reason = message.section(QStringLiteral(": "), 1);
  const int end = reason.indexOf(QStringLiteral(". "));
  reason = end < 0 ? reason : reason.left(end);
  return reason.endsWith('.') ? reason.chopped(1) : reason;
}

// Marks every text it is asked for, so that a text shown without the mark never went
// through the translator.
class TMarking_Translator : public QTranslator
{
public:
  bool isEmpty() const override { return false; }
  QString translate(const char *, const char *source, const char * = nullptr,
                    int = -1) const override
  {
    return source && *source ? MARK_OPEN + QString::fromUtf8(source) + MARK_CLOSE : QString();
  }

  static const QString MARK_OPEN;
  static const QString MARK_CLOSE;
};

const QString TMarking_Translator::MARK_OPEN = QStringLiteral("\u27e6");
const QString TMarking_Translator::MARK_CLOSE = QStringLiteral("\u27e7");

// What is left of a text once its marked parts are gone, when a word remains: a text a user
// reads that no translator was asked for. The program's name stays as it is in every
// language.
bool Has_Unmarked_Words(const QString &text)
{
  static const QRegularExpression marked(QStringLiteral("\u27e6[^\u27e7]*\u27e7"));
  static const QRegularExpression word(QStringLiteral("[A-Za-z]{2,}"));
  QString rest = text;
  rest.remove(marked).remove(QStringLiteral("Vandrel"));
  return rest.contains(word);
}

void Add_Unmarked(const QString &where, const QString &text, QStringList *unmarked)
{
  if (Has_Unmarked_Words(text)) {
    *unmarked << where + QStringLiteral(": ") + text;
  }
}

void Add_Action_Texts(QAction *action, QStringList *unmarked)
{
  Add_Unmarked(QStringLiteral("action"), action->text(), unmarked);
  Add_Unmarked(QStringLiteral("action tip"), action->toolTip(), unmarked);
  Add_Unmarked(QStringLiteral("action status tip"), action->statusTip(), unmarked);
  if (action->menu()) {
    Add_Unmarked(QStringLiteral("menu"), action->menu()->title(), unmarked);
  }
}

void Add_Widget_Texts(QWidget *widget, QStringList *unmarked)
{
  const QString name = QString::fromLatin1(widget->metaObject()->className());
  Add_Unmarked(name + QStringLiteral(" tip"), widget->toolTip(), unmarked);
  Add_Unmarked(name + QStringLiteral(" status tip"), widget->statusTip(), unmarked);
  if (widget->isWindow()) {
    Add_Unmarked(name + QStringLiteral(" title"), widget->windowTitle(), unmarked);
  }
  if (auto *label = qobject_cast<QLabel *>(widget)) {
    Add_Unmarked(name, label->text(), unmarked);
  } else if (auto *button = qobject_cast<QAbstractButton *>(widget)) {
    Add_Unmarked(name, button->text(), unmarked);
  } else if (auto *group = qobject_cast<QGroupBox *>(widget)) {
    Add_Unmarked(name, group->title(), unmarked);
  } else if (auto *combo = qobject_cast<QComboBox *>(widget)) {
    for (int i = 0; i < combo->count(); ++i) {
      Add_Unmarked(name, combo->itemText(i), unmarked);
    }
  } else if (auto *view = qobject_cast<QAbstractItemView *>(widget)) {
    // Column titles; the rows of a table are its data.
    const QAbstractItemModel *const model = view->model();
    for (int column = 0; model && column < model->columnCount(); ++column) {
      Add_Unmarked(name + QStringLiteral(" column"),
                   model->headerData(column, Qt::Horizontal).toString(), unmarked);
    }
  }
}

QStringList Unmarked_Texts(QWidget *top)
{
  QStringList unmarked;
  QList<QWidget *> widgets = top->findChildren<QWidget *>();
  widgets.prepend(top);
  for (QWidget *widget : widgets) {
    Add_Widget_Texts(widget, &unmarked);
  }
  for (QAction *action : top->findChildren<QAction *>()) {
    Add_Action_Texts(action, &unmarked);
  }
  return unmarked;
}

// The keyboard shortcuts dialog, opened as the Help menu does.
std::unique_ptr<QDialog> Shortcuts_Dialog_Of(TVandrel *window)
{
  auto dialog = std::make_unique<TShortcuts_Dialog>(Window_Actions(*window), window);
  dialog->show();
  return dialog;
}

// The program's help, started with the given locale and language preference.
QByteArray Program_Help(const QString &lang, const QString &language)
{
  QProcess process;
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  for (const char *name : {"LC_ALL", "LC_MESSAGES", "LANGUAGE"}) {
    environment.remove(QString::fromLatin1(name));
  }
  environment.insert(QStringLiteral("LANG"), lang);
  if (!language.isEmpty()) {
    environment.insert(QStringLiteral("LANGUAGE"), language);
  }
  process.setProcessEnvironment(environment);
  process.start(QString::fromLocal8Bit(qgetenv("VANDREL_PROGRAM")), {QStringLiteral("--help")});
  if (!process.waitForFinished(60000) || process.exitCode() != 0) {
    return QByteArray();
  }
  return process.readAllStandardOutput();
}

}  // namespace

Q_DECLARE_METATYPE(TMessage_Maker)

// The German catalogue: every message translated in a form the program can use, and no
// message of the sources missing from it.
class TTranslationTest : public QObject
{
  Q_OBJECT

private slots:
  void german_catalogue_is_finished_data()
  {
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("type");
    QTest::addColumn<QStringList>("translations");
    QTest::addColumn<bool>("numerus");
    QString error;
    const std::vector<TMessage> messages = Read_Messages(German_Catalogue(), &error);
    QVERIFY2(error.isEmpty(), qPrintable(error));
    QVERIFY(!messages.empty());
    for (const TMessage &message : messages) {
      const QString tag = message.context + QStringLiteral(": ") + message.source.left(60);
      QTest::newRow(qPrintable(tag)) << message.source << message.type << message.translations
                                     << message.numerus;
    }
  }

  void german_catalogue_is_finished()
  {
    QFETCH(QString, source);
    QFETCH(QString, type);
    QFETCH(QStringList, translations);
    QFETCH(bool, numerus);
    QVERIFY2(type.isEmpty(), qPrintable(QStringLiteral("the translation is ") + type));
    // German has a singular and one plural.
    QCOMPARE(translations.size(), numerus ? 2 : 1);
    for (const QString &translation : translations) {
      const QString fault = Kept_Form(source, translation);
      QVERIFY2(fault.isEmpty(), qPrintable(QStringLiteral("\"%1\" %2").arg(translation, fault)));
      if (numerus) {
        QVERIFY2(translation.contains(QStringLiteral("%n")), qPrintable(translation));
      }
    }
  }

  // lupdate reads the sources into a new catalogue; the committed one has every message
  // it found and none that the sources no longer have. lupdate names a source line when
  // it cannot tell a message's context.
  void german_catalogue_is_up_to_date_with_the_sources()
  {
    const QString lupdate = qEnvironmentVariable("VANDREL_LUPDATE");
    if (lupdate.isEmpty() || !QFileInfo(lupdate).isExecutable()) {
      QSKIP("lupdate is not installed");
    }
    const QString root = QString::fromUtf8(SOURCE_ROOT);
    QTemporaryDir folder;
    const QString fresh = folder.filePath(QStringLiteral("vandrel_de.ts"));
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(lupdate, {QStringLiteral("-I"), root, QStringLiteral("-locations"),
                            QStringLiteral("none"), root + QStringLiteral("/core"),
                            root + QStringLiteral("/src"), QStringLiteral("-ts"), fresh});
    QVERIFY(process.waitForFinished(120000));
    const QString said = QString::fromLocal8Bit(process.readAll());
    QCOMPARE(process.exitCode(), 0);
    QVERIFY2(!said.contains(QRegularExpression(QStringLiteral("\\.(cpp|h):\\d+:"))),
             qPrintable(said));
    QString error;
    QSet<QString> found;
    for (const TMessage &message : Read_Messages(fresh, &error)) {
      found.insert(Key(message));
    }
    QSet<QString> committed;
    for (const TMessage &message : Read_Messages(German_Catalogue(), &error)) {
      committed.insert(Key(message));
    }
    QVERIFY2(error.isEmpty(), qPrintable(error));
    QVERIFY(found.size() > 100);
    const QStringList missing = (found - committed).values();
    const QStringList stale = (committed - found).values();
    QVERIFY2(missing.isEmpty(), qPrintable(QStringLiteral("not in the catalogue (run the "
                                                          "update_translations target): ")
                                           + missing.join(QStringLiteral(" | "))));
    QVERIFY2(stale.isEmpty(),
             qPrintable(QStringLiteral("no longer in the sources: ") + stale.join(" | ")));
  }

  void messages_speak_german_data()
  {
    QTest::addColumn<TMessage_Maker>("make");
    const auto document = [](const char *name, const QByteArray &bytes) {
      return File_Message(hostile::BYTES, QString::fromLatin1(name), bytes, Document_Message);
    };
    const auto data = [](const char *name, const QByteArray &bytes) {
      return File_Message(hostile::BYTES, QString::fromLatin1(name), bytes, Import_Message);
    };
    QTest::newRow("missing") << File_Message(hostile::MISSING, "gone.vandrel", {},
                                             Document_Message);
    QTest::newRow("folder") << File_Message(hostile::FOLDER, "folder.vandrel", {},
                                            Document_Message);
    QTest::newRow("fifo") << File_Message(hostile::FIFO, "fifo.csv", {}, Import_Message);
    QTest::newRow("link to a device")
      << File_Message(hostile::LINK_TO_ZERO, "zero.vandrel", {}, Document_Message);
    QTest::newRow("too large") << File_Message(hostile::SPARSE, "large.vandrel",
                                               QByteArray::number(129 * 1024 * 1024),
                                               Document_Message);
    QTest::newRow("not JSON") << document("json.vandrel", "{\"vandrel\": 1,");
    QTest::newRow("no object") << document("array.vandrel", "[1]");
    QTest::newRow("no version") << document("noversion.vandrel", "{}");
    QTest::newRow("newer version") << document("newer.vandrel", "{\"vandrel\": 3}");
    QTest::newRow("unknown version") << document("unknown.vandrel", "{\"vandrel\": 1.5}");
    QTest::newRow("no input") << document("noinput.vandrel", "{\"vandrel\": 1}");
    QTest::newRow("no start") << document("nostart.vandrel", "{\"vandrel\": 1, \"input\": {}}");
    QTest::newRow("no values")
      << document("novalues.vandrel",
                  "{\"vandrel\": 1, \"input\": {\"start\": 0, \"increment\": 1, \"end\": 1}}");
    QTest::newRow("wrong count")
      << document("count.vandrel", "{\"vandrel\": 1, \"input\": {\"start\": 0, \"increment\": 1, "
                                   "\"end\": 1, \"values\": [1]}}");
    QTest::newRow("no number")
      << document("nonumber.vandrel", "{\"vandrel\": 1, \"input\": {\"start\": 0, \"increment\": "
                                      "1, \"end\": 1, \"values\": [1, \"x\"]}}");
    QTest::newRow("zero offset") << document("zero.json.vandrel",
                                             Document_With(", \"zero_offset\": 3"));
    QTest::newRow("interpolation no text")
      << document("way.vandrel", Document_With(", \"interpolation\": 3").replace("\"vandrel\": 1",
                                                                                 "\"vandrel\": 2"));
    QTest::newRow("unknown interpolation")
      << document("way2.vandrel", Document_With(", \"interpolation\": \"cosine\"")
                                    .replace("\"vandrel\": 1", "\"vandrel\": 2"));
    QTest::newRow("deep nesting") << document("deep.vandrel", QByteArray(40, '['));
    QTest::newRow("key twice") << document("twice.vandrel", Document_With(", \"input\": {}"));
    QTest::newRow("unread data")
      << document("unread.vandrel",
                  Document_With(", \"x\": [" + QByteArray("[0],").repeated(300000) + "0]"));
    QTest::newRow("no numbers") << data("words.csv", "a,b\nc,d\n");
    QTest::newRow("three columns") << data("three.csv", "1,2,3\n");
    QTest::newRow("fields") << data("fields.csv", "1,2\n3\n");
    QTest::newRow("not numbers") << data("text.csv", "1,2\nx,y\n");
    QTest::newRow("one position") << data("one.csv", "1,2\n");
    QTest::newRow("same positions") << data("same.csv", "1,2\n1,3\n");
    QTest::newRow("fine positions") << data("fine.csv", "0,1\n0.5,2\n");
    QTest::newRow("uneven fine positions") << data("uneven.csv", "0,1\n0.7,2\n0.5,3\n0.75,4\n");
    QTest::newRow("far position") << data("far.csv", "0,1\n1e301,2\n");
    QTest::newRow("long line") << data("longline.csv", QByteArray(70000, '1'));
    QTest::newRow("open quote") << data("quote.csv", "1,2\n\"" + QByteArray(70000, 'x'));
    QTest::newRow("too many values")
      << data("many.txt", QByteArray("1\n").repeated(MAXIMUM_ROW_COUNT + 1));
    QTest::newRow("recovery path")
      << File_Message(hostile::BYTES, "Recovery-9.vandrel",
                      Document_With(", \"recovered_document\": 5"), Recovery_Message);
    QTest::newRow("settings") << File_Message(hostile::FOLDER, "settings.ini", {},
                                              Settings_Message);
    QTest::newRow("graph suffix")
      << TMessage_Maker([] { return Graph_Message(Folder().filePath("g.gif"), QSize(9, 9)); });
    QTest::newRow("graph size")
      << TMessage_Maker([] { return Graph_Message(Folder().filePath("g.png"), QSize(0, 9)); });
    QTest::newRow("usage: export without a file")
      << TMessage_Maker([] { return Usage_Message({"--export", "a.csv"}); });
    QTest::newRow("usage: unknown format")
      << TMessage_Maker([] { return Usage_Message({"--export", "a.gif", "b.vandrel"}); });
    QTest::newRow("usage: size of a table")
      << TMessage_Maker([] { return Usage_Message({"--export", "a.csv", "--size", "9x9", "b"}); });
    QTest::newRow("usage: bad size")
      << TMessage_Maker([] { return Usage_Message({"--export", "a.png", "--size", "9", "b"}); });
    QTest::newRow("usage: size alone")
      << TMessage_Maker([] { return Usage_Message({"--size", "9x9"}); });
    QTest::newRow("usage: two documents")
      << TMessage_Maker([] { return Usage_Message({"a.vandrel", "b.vandrel"}); });
  }

  // Each message, English without translations, is German with them, its reason included:
  // none of the English reason is left.
  void messages_speak_german()
  {
    QFETCH(TMessage_Maker, make);
    const QString english = make();
    QString german;
    {
      const TTranslations translations(QString::fromLatin1(TRANSLATION_CATALOGUE),
                                       QString::fromLatin1(TRANSLATION_FOLDER), GERMAN);
      QVERIFY(!translations.Language().isEmpty());
      german = make();
    }
    QCOMPARE(make(), english);
    QVERIFY2(german != english, qPrintable(english));
    const QString reason = English_Reason(english);
    QVERIFY2(reason.isEmpty() || !german.contains(reason),
             qPrintable(english + QStringLiteral("\n") + german));
  }

  void file_dialog_filters_speak_german()
  {
    const QStringList english = {Document_Filters(), Data_Filters(), Table_Filters(),
                                 Graph_Filters()};
    const TTranslations translations(QString::fromLatin1(TRANSLATION_CATALOGUE),
                                     QString::fromLatin1(TRANSLATION_FOLDER), GERMAN);
    const QStringList german = {Document_Filters(), Data_Filters(), Table_Filters(),
                                Graph_Filters()};
    for (int i = 0; i < english.size(); ++i) {
      const QStringList english_filters = english[i].split(QStringLiteral(";;"));
      const QStringList german_filters = german[i].split(QStringLiteral(";;"));
      QCOMPARE(german_filters.size(), english_filters.size());
      for (int j = 0; j < english_filters.size(); ++j) {
        QVERIFY2(german_filters[j] != english_filters[j], qPrintable(german_filters[j]));
        // The patterns stay, so that a name without a suffix gets the chosen one.
        QCOMPARE(With_Filter_Suffix(QStringLiteral("/a/b"), german[i], german_filters[j]),
                 With_Filter_Suffix(QStringLiteral("/a/b"), english[i], english_filters[j]));
      }
    }
  }

  // Languages are taken in the user's order of preference (LANGUAGE before LANG, as the
  // C library does): English first keeps the texts as written even where German follows;
  // a language without a catalogue gives way to the next. The real program is started, so
  // that what it installs at start is what is seen.
  void help_in_the_users_language_data()
  {
    QTest::addColumn<QString>("lang");
    QTest::addColumn<QString>("language");
    QTest::addColumn<bool>("german");
    QTest::newRow("C") << "C" << "" << false;
    QTest::newRow("English") << "en_US.UTF-8" << "" << false;
    QTest::newRow("German") << "de_DE.UTF-8" << "" << true;
    QTest::newRow("Austrian German") << "de_AT.UTF-8" << "" << true;
    QTest::newRow("English before German") << "de_DE.UTF-8" << "en_GB:de" << false;
    QTest::newRow("French, then German") << "fr_FR.UTF-8" << "fr:de" << true;
    QTest::newRow("French only") << "fr_FR.UTF-8" << "" << false;
  }

  void help_in_the_users_language()
  {
    QFETCH(QString, lang);
    QFETCH(QString, language);
    QFETCH(bool, german);
    if (qEnvironmentVariableIsEmpty("VANDREL_PROGRAM")) {
      QSKIP("VANDREL_PROGRAM does not name the program (ctest sets it)");
    }
    const QByteArray english = Program_Help("C", QString());
    QVERIFY(english.startsWith("Usage: "));
    const QByteArray help = Program_Help(lang, language);
    QCOMPARE(help.contains("Tastet eine Wertetabelle"), german);
    if (!german) {
      QCOMPARE(help, english);
    }
  }

  // Every text a window shows comes from the translator: with one that marks each text it
  // is asked for, no word is left unmarked in the main window, its menus, the graph window
  // and the help dialogs.
  void every_text_on_screen_is_translatable()
  {
    TMarking_Translator marker;
    QCoreApplication::installTranslator(&marker);
    QStringList unmarked;
    {
      TVandrel window;
      window.show();
      QToolButton *const graph = window.findChild<QToolButton *>(QStringLiteral("graph_button"));
      QVERIFY(graph);
      graph->click();
      std::unique_ptr<QDialog> shortcuts = Shortcuts_Dialog_Of(&window);
      QVERIFY(shortcuts);
      for (QWidget *top : QApplication::topLevelWidgets()) {
        unmarked << Unmarked_Texts(top);
      }
    }
    QCoreApplication::removeTranslator(&marker);
    unmarked.removeDuplicates();
    QVERIFY2(unmarked.isEmpty(), qPrintable(unmarked.join(QStringLiteral("\n"))));
  }

  void window_starts_in_german()
  {
    const TTranslations translations(QString::fromLatin1(TRANSLATION_CATALOGUE),
                                     QString::fromLatin1(TRANSLATION_FOLDER), GERMAN);
    TVandrel window;
    QStringList menus;
    for (QAction *action : window.menuBar()->actions()) {
      menus << action->text();
    }
    QCOMPARE(menus.value(0), QStringLiteral("&Datei"));
    QCOMPARE(menus.value(1), QStringLiteral("&Bearbeiten"));
    QCOMPARE(menus.last(), QStringLiteral("&Hilfe"));
  }
};

int main(int argc, char *argv[])
{
  QApplication application(argc, argv);
  TTranslationTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "test_translation.moc"
