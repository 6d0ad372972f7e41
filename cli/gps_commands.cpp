// keelmark gps read: the positions a GPS source delivers, one JSON line each, and a summary of
// what was read. The sources are the program's own receivers, on Qt's event loop.
#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>
#include <cmath>
#include <memory>
#include <optional>

#include "cli/command_line.h"
#include "cli/commands.h"
#include "document/gps_source.h"
#include "platform/gps_receivers.h"

namespace keelmark::cli {
namespace {

void EnsureCoreApplication() {
  if (QCoreApplication::instance()) return;
  static int argc = 1;
  static char name[] = "keelmark";
  static char* argv[] = {name, nullptr};
  static std::unique_ptr<QCoreApplication> application =
      std::make_unique<QCoreApplication>(argc, argv);
}

// A positive whole number option, or nothing when it is not given.
std::optional<long long> PositiveWhole(const CommandLine& line, const char* option) {
  if (!line.Has(option)) return std::nullopt;
  const double value = line.Number(option);
  if (value < 1 || value != std::floor(value) || value > 1e12) {
    throw UsageError(std::string("--") + option + " takes a whole number of 1 or more");
  }
  return static_cast<long long>(value);
}

nlohmann::json PositionJson(const NmeaSentence& s) {
  nlohmann::json json = {{"latitude", s.latitude * kDegreesPerNmeaUnit},
                         {"longitude", s.longitude * kDegreesPerNmeaUnit},
                         {"latitudeMilliMinutes", s.latitude},
                         {"longitudeMilliMinutes", s.longitude},
                         {"talker", s.talker},
                         {"sentence", NmeaSentenceName(*s.type)}};
  if (s.time) json["time"] = s.time->Text();
  return json;
}

nlohmann::json SummaryJson(const GpsFeed::Tally& t) {
  return {{"summary",
           {{"sentences", t.sentences},
            {"positions", t.positions},
            {"checksumErrors", t.badChecksum},
            {"skipped", t.skipped},
            {"noFix", t.noFix},
            {"malformed", t.malformed},
            {"dropped", t.dropped}}}};
}

}  // namespace

int RunGps(const Words& args, CommandContext& context) {
  const CommandLine line(args, {"sentence", "count", "timeout"}, {});
  if (line.PositionalAt(0, "read") != "read") throw UsageError("gps: the command is gps read");
  if (line.Positional().size() > 2) throw UsageError("gps read takes one SOURCE");
  std::string error;
  const std::optional<GpsSource> source = ParseGpsSource(line.PositionalAt(1, "SOURCE"), error);
  if (!source) throw UsageError("gps read: " + error);
  std::optional<NmeaSentenceType> only;
  if (line.Has("sentence")) {
    only = NmeaSentenceFromName(line.Required("sentence"));
    if (!only) throw UsageError("--sentence is GGA, RMC or GLL");
  }
  const std::optional<long long> count = PositiveWhole(line, "count");
  std::optional<double> timeout;
  if (line.Has("timeout")) {
    timeout = line.Number("timeout");
    if (!(*timeout > 0.0 && *timeout <= 1e6)) throw UsageError("--timeout takes seconds above 0");
  }

  EnsureCoreApplication();
  const SystemClock clock;
  std::unique_ptr<QtGpsReceiver> receiver = MakeGpsReceiver(*source, clock, 0);
  if (only) (void)receiver->ChooseSentence(*only);
  QEventLoop loop;
  long long printed = 0;
  receiver->Feed().onSentence = [&](const NmeaSentence& s) {
    if (s.outcome != NmeaOutcome::kPosition || (only && s.type != only)) return;
    if (count && printed >= *count) return;
    PrintJson(context.out, PositionJson(s));
    context.out.flush();
    if (count && ++printed >= *count) loop.quit();
  };
  // A source that is never reached (a refused connection) cannot be opened either.
  std::optional<std::string> openFailure;
  QObject::connect(receiver.get(), &QtGpsReceiver::failed, &loop, [&](int code) {
    if (code != gps_code::kCannotOpen) return;
    openFailure = receiver->Describe(code);
    loop.quit();
  });
  QObject::connect(receiver.get(), &QtGpsReceiver::finished, &loop, &QEventLoop::quit);
  QTimer deadline;
  deadline.setSingleShot(true);
  QObject::connect(&deadline, &QTimer::timeout, &loop, &QEventLoop::quit);

  if (const int code = receiver->Open(); code < 0) throw CommandError(receiver->Describe(code));
  if (timeout) deadline.start(static_cast<int>(std::ceil(*timeout * 1000.0)));
  loop.exec();
  receiver->Stop();
  receiver->Close();
  if (openFailure) throw CommandError(*openFailure);
  PrintJson(context.out, SummaryJson(receiver->Feed().Counts()));
  return 0;
}

}  // namespace keelmark::cli
