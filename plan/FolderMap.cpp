#include "plan/FolderMap.h"

#include <cstdint>
#include <utility>

unsigned CFolderMap::BucketOf(const std::string& key) {
  std::uint32_t hash = 0;
  for (char c : key) {
    hash = hash * 33u + static_cast<std::uint32_t>(static_cast<std::int32_t>(static_cast<std::int8_t>(c)));
  }
  return hash % kBucketCount;
}

CFolderMap::Node* CFolderMap::FindNode(const std::string& key) const {
  auto found = m_index.find(key);
  return found == m_index.end() ? nullptr : &*found->second;
}

CFolderMap::Node& CFolderMap::Insert(const std::string& key, std::unique_ptr<CSourceList> sources) {
  Chain& chain = m_buckets[BucketOf(key)];
  chain.push_front(Node{key, std::move(sources)});
  m_index.emplace(key, chain.begin());
  return chain.front();
}

bool CFolderMap::Contains(const std::string& key) const { return FindNode(key) != nullptr; }

std::size_t CFolderMap::Count() const { return m_index.size(); }

CSourceList* CFolderMap::Find(const std::string& key) const {
  const Node* node = FindNode(key);
  return node ? node->sources.get() : nullptr;
}

void CFolderMap::SetEmpty(const std::string& key) {
  if (Node* node = FindNode(key)) {
    node->sources.reset();
  } else {
    Insert(key, nullptr);
  }
}

void CFolderMap::AddIfMissing(const std::string& key) {
  if (!Contains(key)) Insert(key, nullptr);
}

CSourceList& CFolderMap::GetOrCreate(const std::string& key) {
  Node* node = FindNode(key);
  if (!node) node = &Insert(key, nullptr);
  if (!node->sources) node->sources = std::make_unique<CSourceList>();
  return *node->sources;
}

bool CFolderMap::Remove(const std::string& key) {
  auto found = m_index.find(key);
  if (found == m_index.end()) return false;
  m_buckets[BucketOf(key)].erase(found->second);
  m_index.erase(found);
  return true;
}

void CFolderMap::Rekey(const std::string& oldKey, const std::string& newKey) {
  // Collect first, then move: a moved key must not be met again by the search.
  std::vector<std::string> keys;
  for (const Entry& entry : Walk()) {
    if (entry.key == oldKey || entry.key.compare(0, oldKey.size() + 1, oldKey + "/") == 0) {
      keys.push_back(entry.key);
    }
  }
  for (const std::string& key : keys) {
    std::unique_ptr<CSourceList> sources = std::move(FindNode(key)->sources);
    Remove(key);
    std::string moved = newKey + key.substr(oldKey.size());
    if (Node* existing = FindNode(moved)) {
      existing->sources = std::move(sources);
    } else {
      Insert(moved, std::move(sources));
    }
  }
}

void CFolderMap::RemoveAll() {
  for (Chain& chain : m_buckets) chain.clear();
  m_index.clear();
}

std::vector<CFolderMap::Entry> CFolderMap::Walk() const {
  std::vector<Entry> entries;
  for (const Chain& chain : m_buckets) {
    for (const Node& node : chain) entries.push_back(Entry{node.key, node.sources.get()});
  }
  return entries;
}
