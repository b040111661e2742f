#include "sim/SimFiles.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

#include "exercises/ExerciseFile.h"

#include "runtime/Failure.h"
#include "runtime/WindowsPath.h"

namespace rp::sim {
namespace {

std::string Lower(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return lower;
}

// Wildcard match with * and ?, as the system matches file names (case-insensitive).
bool Matches(std::string_view pattern, std::string_view name) {
  if (pattern.empty()) return name.empty();
  if (pattern[0] == '*') {
    for (std::size_t i = 0; i <= name.size(); ++i)
      if (Matches(pattern.substr(1), name.substr(i))) return true;
    return false;
  }
  if (name.empty()) return false;
  if (pattern[0] != '?' && pattern[0] != name[0]) return false;
  return Matches(pattern.substr(1), name.substr(1));
}

bool Malformed(std::string_view path) {
  return path.find_first_of("<>|\"") != std::string_view::npos;
}

}  // namespace

std::string SimFiles::ProgramPath() {
  return programFolder + (programFolder.ends_with('\\') ? "" : "\\") + programName;
}

void SimFiles::Add(const std::string& path, SimFile file) { files[Lower(path)] = std::move(file); }

bool SimFiles::CanReadModificationTime(std::string_view path) {
  if (path.empty() || Malformed(path)) return false;
  return files.count(Lower(path)) != 0;
}

std::optional<std::string> SimFiles::FindOrdinaryFile(std::string_view pattern) {
  if (Malformed(pattern)) throw Failure("Bad file name or number");
  const std::string lower = Lower(pattern);
  const auto slash = lower.rfind('\\');
  const std::string folder = slash == std::string::npos ? "" : lower.substr(0, slash + 1);
  const std::string namePattern = slash == std::string::npos ? lower : lower.substr(slash + 1);
  for (const auto& [path, file] : files) {
    if (path.size() <= folder.size() || path.compare(0, folder.size(), folder) != 0) continue;
    const std::string name = path.substr(folder.size());
    if (name.find('\\') != std::string::npos) continue;
    if (file.directory || file.hidden || file.system) continue;
    if (Matches(namePattern, name)) return name;
  }
  return std::nullopt;
}

std::optional<std::string> SimFiles::ReadFile(std::string_view path) {
  auto it = files.find(Lower(path));
  if (it == files.end() || it->second.directory || it->second.unreadable) return std::nullopt;
  return it->second.content;
}

// Writing, with the faults a test gives the disk.

std::string SimFiles::Content(const std::string& path) {
  auto it = files.find(Lower(path));
  return it == files.end() ? "<absent>" : it->second.content;
}

bool SimFiles::CreateFolder(std::string_view path) {
  if (foldersFail) return false;
  SimFile folder;
  folder.directory = true;
  for (const std::string& made : FoldersBelowRoot(path)) files.try_emplace(Lower(made), folder);
  return true;
}

bool SimFiles::WriteNewFile(std::string_view path, std::string_view content) {
  if (path.empty() || Malformed(path)) return false;
  SimFile& file = files[Lower(path)];
  if (file.directory || file.unreadable || file.readOnly) return false;
  file.content = diskFull ? content.substr(0, content.size() / 2) : content;
  return !diskFull;
}

bool SimFiles::MoveReplacing(std::string_view from, std::string_view to) {
  auto source = files.find(Lower(from));
  auto target = files.find(Lower(to));
  if (source == files.end() ||
      (target != files.end() && (target->second.unreadable || target->second.directory || target->second.readOnly)))
    return false;
  SimFile moved = source->second;
  files.erase(source);
  files[Lower(to)] = std::move(moved);
  return true;
}

bool SimFiles::RemoveFile(std::string_view path) {
  auto it = files.find(Lower(path));
  if (it == files.end()) return true;
  if (it->second.unreadable || it->second.directory) return false;
  files.erase(it);
  return true;
}

PictureRead SimFiles::ReadPicture(std::string_view path, int fitSide) {
  PictureRead read;
  const std::optional<std::string> content = ReadFile(path);
  if (!content) return read;
  int width = 0, height = 0;
  const bool named = std::sscanf(content->c_str(), "picture %dx%d", &width, &height) == 2;
  if (content->size() > kMaxPictureBytes || (named && !PictureFits(content->size(), width, height))) {
    read.result = PictureRead::Result::TooLarge;
  } else if (!named || width <= 0 || height <= 0) {
    read.result = PictureRead::Result::Damaged;
  } else {
    const double scale = static_cast<double>(fitSide) / std::max(width, height);
    read.result = PictureRead::Result::Shown;
    read.width = std::max(1, static_cast<int>(width * scale));
    read.height = std::max(1, static_cast<int>(height * scale));
    read.pixels.assign(static_cast<std::size_t>(read.width) * read.height, kPicturePixel);
  }
  return read;
}

}  // namespace rp::sim
