// Writing files on the simulated disk, with the faults a test gives it, and the save dialog's
// scripted answers.
#include <cctype>

#include "runtime/Failure.h"
#include "sim/SimDesktop.h"

namespace rp::sim {
namespace {

std::string Key(std::string_view path) {
  std::string lower(path);
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return lower;
}

}  // namespace

std::string SimFiles::Content(const std::string& path) {
  auto it = files.find(Key(path));
  return it == files.end() ? "<absent>" : it->second.content;
}

bool SimFiles::CreateFolder(std::string_view path) {
  if (foldersFail) return false;
  SimFile folder;
  folder.directory = true;
  for (std::size_t end = path.find('\\', 3);; end = path.find('\\', end + 1)) {
    files.try_emplace(Key(path.substr(0, end)), folder);
    if (end == std::string_view::npos) return true;
  }
}

bool SimFiles::WriteNewFile(std::string_view path, std::string_view content) {
  SimFile& file = files[Key(path)];
  if (file.directory || file.unreadable) return false;
  file.content = diskFull ? content.substr(0, content.size() / 2) : content;
  return !diskFull;
}

bool SimFiles::MoveReplacing(std::string_view from, std::string_view to) {
  auto source = files.find(Key(from));
  auto target = files.find(Key(to));
  if (source == files.end() || (target != files.end() && (target->second.unreadable || target->second.directory)))
    return false;
  SimFile moved = source->second;
  files.erase(source);
  files[Key(to)] = std::move(moved);
  return true;
}

bool SimFiles::RemoveFile(std::string_view path) {
  auto it = files.find(Key(path));
  if (it == files.end()) return true;
  if (it->second.unreadable || it->second.directory) return false;
  files.erase(it);
  return true;
}

std::string SimDialogs::SaveFile(std::string_view title, std::string_view, std::string_view) {
  saveRequests.emplace_back(title);
  if (saveAnswers.empty()) return "";
  std::string answer = saveAnswers.front();
  saveAnswers.pop_front();
  return answer;
}

}  // namespace rp::sim
