#include "src/files/documentfile.h"

#include <QElapsedTimer>
#include <QJsonDocument>
#include <QtTest>

#include <random>

namespace {

// How long the reader is fuzzed, and a cap so that a fast machine does not run forever.
const qint64 FUZZ_MILLISECONDS = 3000;
const int MAXIMUM_MUTANTS = 200000;

// Pieces that steer mutations towards the reader's decisions: types, counts, versions,
// non-finite strings and numbers at the edges of what doubles hold.
const char *const TOKENS[] = {
  "{", "}", "[", "]", ",", ":", "\"", "null", "true", "false", "\"nan\"", "\"inf\"",
  "\"-inf\"", "1e999", "-1e999", "1e308", "-0", "0", "2", "1e-320", "9007199254740993",
  "\"vandrel\"", "\"input\"", "\"editor\"", "\"values\"", "\"offsets\"", "\"start\"",
  "\"increment\"", "\"end\"", "\"zero_offset\"", "1e300", "\\u0000", "[[[[[[[["};

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

}  // namespace

// Broken documents are refused with a reason; accepted ones hold exactly as many numbers
// as their ranges have rows and go into the model and through the recompute unharmed.
class TDocumentFuzzTest : public QObject
{
  Q_OBJECT

private slots:
  void reader_survives_mutated_documents()
  {
    const QList<QByteArray> corpus = Corpus();
    TMutator mutator(20261207);
    QElapsedTimer clock;
    clock.start();
    int mutants = 0;
    int accepted = 0;
    while (mutants < MAXIMUM_MUTANTS && clock.elapsed() < FUZZ_MILLISECONDS) {
      const QByteArray bytes = mutator.Mutant(corpus);
      ++mutants;
      TContent content;
      QString reason;
      if (!Parse_Document(bytes, &content, &reason)) {
        QVERIFY2(!reason.isEmpty(), bytes.constData());
        continue;
      }
      ++accepted;
      QVERIFY(content.input.count <= MAXIMUM_ROW_COUNT);
      QCOMPARE(content.values.size(), static_cast<std::size_t>(content.input.count));
      QCOMPARE(content.offsets.size(), static_cast<std::size_t>(content.edit.count));
      TResampling_Model model;
      QVERIFY(model.Set_Content(content));
      model.Recalculate();
      QCOMPARE(model.Output().size(), content.values.size());
    }
    qInfo("%d mutants, %d accepted", mutants, accepted);
    QVERIFY(mutants > 100);
    QVERIFY(accepted > 0);
  }
};

QTEST_APPLESS_MAIN(TDocumentFuzzTest)

#include "test_documentfuzz.moc"
