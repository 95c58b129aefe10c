#pragma once
// Which function each command id runs. The window turns menu items, keys
// and the map's context menu into ids; the command modules bind their
// functions here. An id nothing is bound to does nothing.

#include <functional>
#include <unordered_map>

namespace banmen {

class CommandRouter {
  public:
    using Handler = std::function<void()>;

    // A later binding of the same id replaces the earlier one.
    void bind(int id, Handler handler) { handlers_[id] = std::move(handler); }
    bool bound(int id) const { return handlers_.contains(id); }
    // False when nothing is bound to the id.
    bool run(int id) const {
        const auto it = handlers_.find(id);
        if (it == handlers_.end() || !it->second) {
            return false;
        }
        it->second();
        return true;
    }

  private:
    std::unordered_map<int, Handler> handlers_;
};

}  // namespace banmen
