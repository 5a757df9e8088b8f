#include "app/recordskeeper.h"

#include <ctime>

#include "records/pacefile.h"
#include "records/recordsfile.h"
#include "records/recordsfolder.h"

namespace kipkip {
namespace {

// The day the game was played, in the player's time zone.
std::string Today()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char date[16];
    std::strftime(date, sizeof date, "%Y-%m-%d", &local);
    return date;
}

Record RecordOf(const LoggedGame& game, const std::string& initials, std::string recording)
{
    return Record{initials,          game.score,          std::max(game.best, game.score),
                  game.level,        game.coins,          Today(),
                  game.slowestSpeed, std::move(recording)};
}

}  // namespace

RecordsKeeper::RecordsKeeper(std::string dataDir) : dataDir_(std::move(dataDir))
{
    RecordsFile::Loaded loaded = RecordsFile::Load(dataDir_);
    table_ = std::move(loaded.table);
    writable_ = loaded.writable;
    message_ = std::move(loaded.message);
    if (!table_.Empty()) {
        std::string ignored;
        bestPace_ = PaceFile::Load(
            RecordsFolder::PathOf(dataDir_, RecordsFolder::PaceName(table_.Records()[0].recording)),
            ignored);
    }
}

std::optional<std::size_t> RecordsKeeper::Place(std::int32_t score) const
{
    return writable_ ? table_.Place(score) : std::nullopt;
}

std::optional<std::string> RecordsKeeper::Keep(const LoggedGame& game, const std::string& initials,
                                               const std::string& recording)
{
    std::optional<std::string> name = RecordsFolder::FreeName(dataDir_, table_);
    if (!name) {
        return "no name is left for a recording in " + RecordsFolder::PathOf(dataDir_, "");
    }
    std::optional<std::string> error = RecordsFolder::Write(dataDir_, *name, recording);
    if (std::optional<std::string> paceError = PaceFile::Save(
            RecordsFolder::PathOf(dataDir_, RecordsFolder::PaceName(*name)), game.pace);
        paceError && !error) {
        error = paceError;
    }
    const Record record = RecordOf(game, initials, *name);
    if (std::optional<Record> out = table_.Insert(record)) {
        RecordsFolder::Remove(dataDir_, *out);
    }
    table_.SetLastInitials(initials);
    if (!table_.Empty() && table_.Records().front().recording == *name) {
        bestPace_ = game.pace;
    }
    std::optional<std::string> saved = RecordsFile::Save(dataDir_, table_);
    return error ? error : saved;
}

}  // namespace kipkip
