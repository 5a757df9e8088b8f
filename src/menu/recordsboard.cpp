#include "menu/recordsboard.h"

#include <utility>

namespace kipkip {

std::optional<MenuSound> RecordsBoard::Handle(MenuCommand command)
{
    if (closed_) {
        return std::nullopt;
    }
    switch (command) {
        case MenuCommand::Up:
            return Move(-1);
        case MenuCommand::Down:
            return Move(1);
        case MenuCommand::Choose:
            if (table_.Empty()) {
                return std::nullopt;
            }
            notice_.clear();
            chosen_ = cursor_;
            return MenuSound::Choose;
        case MenuCommand::Back:
        case MenuCommand::Close:
            closed_ = true;
            return MenuSound::Choose;
        case MenuCommand::Left:
        case MenuCommand::Right:
            break;
    }
    return std::nullopt;
}

std::optional<std::size_t> RecordsBoard::TakeChosen()
{
    return std::exchange(chosen_, std::nullopt);
}

std::optional<MenuSound> RecordsBoard::Move(int step)
{
    const long long to = static_cast<long long>(cursor_) + step;
    if (to < 0 || to >= static_cast<long long>(table_.Records().size())) {
        return std::nullopt;
    }
    cursor_ = static_cast<std::size_t>(to);
    notice_.clear();
    return MenuSound::Move;
}

}  // namespace kipkip
