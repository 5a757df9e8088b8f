#include "menu/initialsentry.h"

#include "records/record.h"

namespace kipkip {
namespace {

constexpr int kLetters = 26;

}  // namespace

InitialsEntry::InitialsEntry(std::string_view offered, std::size_t place, std::int32_t score)
    : initials_(Record::ValidInitials(offered) ? offered : kFirstOffer),
      place_(place),
      score_(score)
{}

std::optional<MenuSound> InitialsEntry::Handle(MenuCommand command)
{
    if (done_) {
        return std::nullopt;
    }
    idleTicks_ = 0;
    switch (command) {
        case MenuCommand::Up:
            Turn(1);
            return MenuSound::Move;
        case MenuCommand::Down:
            Turn(-1);
            return MenuSound::Move;
        case MenuCommand::Left:
            return Move(-1);
        case MenuCommand::Right:
            return Move(1);
        case MenuCommand::Choose:
            done_ = true;
            return MenuSound::Choose;
        case MenuCommand::Back:
        case MenuCommand::Close:
            break;
    }
    return std::nullopt;
}

void InitialsEntry::Tick()
{
    if (!done_ && ++idleTicks_ >= kTimeout) {
        done_ = true;
    }
}

// Up goes on through the alphabet (A to B), as a counter's digit turns up.
void InitialsEntry::Turn(int step)
{
    char& letter = initials_[cursor_];
    letter = static_cast<char>('A' + (letter - 'A' + step + kLetters) % kLetters);
}

std::optional<MenuSound> InitialsEntry::Move(int step)
{
    const long long to = static_cast<long long>(cursor_) + step;
    if (to < 0 || to >= static_cast<long long>(initials_.size())) {
        return std::nullopt;
    }
    cursor_ = static_cast<std::size_t>(to);
    return MenuSound::Move;
}

}  // namespace kipkip
