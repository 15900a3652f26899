#include "hostile_files.h"
#include "src/files/documentfile.h"
#include "src/files/recovery.h"

#include <QElapsedTimer>
#include <QJsonDocument>
#include <QtTest>

#include <functional>
#include <random>

namespace {

// A fixed number of mutants, so that every run reads the same inputs on any machine.
const int MUTANTS = 100000;

// Pieces that steer mutations towards the reader's decisions: types, counts, versions,
// non-finite strings and numbers at the edges of what doubles hold.
const char *const TOKENS[] = {
  "{", "}", "[", "]", ",", ":", "\"", "null", "true", "false", "\"nan\"", "\"inf\"",
  "\"-inf\"", "1e999", "-1e999", "1e308", "-0", "0", "2", "1e-320", "9007199254740993",
  "\"vandrel\"", "\"input\"", "\"editor\"", "\"values\"", "\"offsets\"", "\"start\"",
  "\"increment\"", "\"end\"", "\"zero_offset\"", "1e300", "\\u0000", "[[[[[[[[",
  "\"recovered_document\"", "\"/work/a.vandrel\"", "\"x\": [[0],[0]]"};

QList<QByteArray> Corpus()
{
  TContent content;
  content.input = Corrected_Input({-10, 15, 215});
  content.edit = Corrected_Edit({0, 50, 200}, content.input.range.increment);
  content.values.assign(static_cast<std::size_t>(content.input.count), 1.5);
  content.offsets = {0, 2, -3.25, 1e-7, 4e12};
  content.values[3] = std::numeric_limits<double>::quiet_NaN();
  QList<QByteArray> corpus = {Document_Bytes(content)};
  content.zero_offset = true;
  content.input = Corrected_Input({0, 1, 0});
  content.values.clear();
  corpus << QJsonDocument(Document_Object(content)).toJson(QJsonDocument::Compact);
  corpus << QByteArray("{\"vandrel\": 1, \"input\": {\"start\": 0, \"increment\": 1, \"end\": 1,"
                       " \"values\": [1, 2]}, \"editor\": {\"start\": 5, \"increment\": 0, "
                       "\"end\": 0, \"offsets\": [3, \"inf\", 4, 5, 6, 7]}}");
  return corpus;
}

// The same documents as recovery files, each naming the document it belongs to.
QList<QByteArray> Recovery_Corpus()
{
  QList<QByteArray> corpus;
  for (const QByteArray &bytes : Corpus()) {
    QJsonObject root = QJsonDocument::fromJson(bytes).object();
    root.insert(QStringLiteral("recovered_document"), QStringLiteral("/work/a.vandrel"));
    corpus << QJsonDocument(root).toJson(QJsonDocument::Compact);
  }
  return corpus;
}

// Whether accepted content holds as many numbers as its ranges have rows and goes
// through the model unharmed.
bool Consistent(const TContent &content)
{
  if (content.input.count > MAXIMUM_ROW_COUNT
      || content.values.size() != static_cast<std::size_t>(content.input.count)
      || content.offsets.size() != static_cast<std::size_t>(content.edit.count)) {
    return false;
  }
  TResampling_Model model;
  if (!model.Set_Content(content)) {
    return false;
  }
  model.Recalculate();
  return model.Row_Count() == content.values.size();
}

class TMutator
{
public:
  explicit TMutator(const std::uint32_t seed) : d_random(seed) {}

  QByteArray Mutant(const QList<QByteArray> &corpus)
  {
    QByteArray bytes = corpus[Below(corpus.size())];
    const int mutations = 1 + Below(4);
    for (int i = 0; i < mutations; ++i) {
      Mutate(&bytes);
    }
    return bytes;
  }

private:
  int Below(const qsizetype limit)
  {
    return limit <= 0 ? 0 : static_cast<int>(d_random() % static_cast<std::uint32_t>(limit));
  }

  void Mutate(QByteArray *bytes)
  {
    const int at = Below(bytes->size() + 1);
    switch (Below(6)) {
    case 0:
      if (!bytes->isEmpty()) {
        (*bytes)[Below(bytes->size())] = static_cast<char>(d_random());
      }
      break;
    case 1:
      bytes->insert(at, TOKENS[Below(sizeof TOKENS / sizeof TOKENS[0])]);
      break;
    case 2:
      bytes->remove(at, 1 + Below(16));
      break;
    case 3:
      bytes->truncate(at);
      break;
    case 4:
      bytes->insert(at, bytes->mid(Below(bytes->size()), Below(64)));
      break;
    default:
      // Replaces a digit run's first digit, changing counts and ranges.
      for (int i = at; i < bytes->size(); ++i) {
        if ((*bytes)[i] >= '0' && (*bytes)[i] <= '9') {
          (*bytes)[i] = static_cast<char>('0' + Below(10));
          break;
        }
      }
    }
  }

  std::mt19937 d_random;
};

// Reads every mutant of the corpus; each is refused with a reason or accepted consistent,
// and none takes longer than the time limit, nor the whole run more memory than the limit.
void Fuzz(const QList<QByteArray> &corpus, const std::uint32_t seed,
          const std::function<bool(const QByteArray &, TContent *, QString *)> &read)
{
  TMutator mutator(seed);
  int accepted = 0;
  qint64 slowest = 0;
  for (int i = 0; i < MUTANTS; ++i) {
    const QByteArray bytes = mutator.Mutant(corpus);
    TContent content;
    QString reason;
    QElapsedTimer clock;
    clock.start();
    const bool read_well = read(bytes, &content, &reason);
    slowest = std::max(slowest, clock.elapsed());
    if (read_well) {
      ++accepted;
      QVERIFY2(Consistent(content), bytes.constData());
    } else {
      QVERIFY2(!reason.isEmpty(), bytes.constData());
    }
  }
  qInfo("%d mutants, %d accepted, the slowest read in %lld ms", MUTANTS, accepted, slowest);
  QVERIFY(accepted > 0);
  QVERIFY(slowest < hostile::READ_TIME_LIMIT_MS);
  QVERIFY(hostile::Within_Peak_Memory());
}

}  // namespace

// Broken documents and recovery files are refused with a reason; accepted ones hold
// exactly as many numbers as their ranges have rows and go into the model and through the
// recompute unharmed.
class TDocumentFuzzTest : public QObject
{
  Q_OBJECT

private slots:
  void document_reader_survives_mutants()
  {
    Fuzz(Corpus(), 20261207, Parse_Document);
  }

  void recovery_reader_survives_mutants()
  {
    Fuzz(Recovery_Corpus(), 20261208,
         [](const QByteArray &bytes, TContent *content, QString *reason) {
           TRecovered_Work work;
           if (!Parse_Recovery(bytes, &work, reason)) {
             return false;
           }
           *content = work.content;
           return true;
         });
  }
};

QTEST_APPLESS_MAIN(TDocumentFuzzTest)

#include "test_documentfuzz.moc"
