#pragma once
// The folder map: destination folder key to an owned, possibly absent, source list.
// Its walk order is part of the plan's behaviour (the plan file and the copy run both
// follow it): 17 buckets walked from 0 to 16, each chain newest first.
#include <array>
#include <list>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

// A source list keeps positions: a removed path is cleared to "" in place.
using CSourceList = std::vector<std::string>;

class CFolderMap {
 public:
  struct Entry {
    std::string key;
    CSourceList* sources;  // not owned; null when the folder has no source list yet
  };

  static constexpr unsigned kBucketCount = 17;
  static unsigned BucketOf(const std::string& key);

  bool Contains(const std::string& key) const;
  std::size_t Count() const;

  // The source list of key, or null when the key is missing or has none.
  CSourceList* Find(const std::string& key) const;

  // Sets key's value to "no source list" (an existing list is destroyed); a new key
  // goes to the head of its chain, an existing one keeps its place.
  void SetEmpty(const std::string& key);

  // Adds key with no source list unless it is present already.
  void AddIfMissing(const std::string& key);

  // The source list of key, created empty when the key is missing or has none.
  CSourceList& GetOrCreate(const std::string& key);

  // Removes key and destroys its source list; false when it was not present.
  bool Remove(const std::string& key);

  // Moves oldKey and every key that begins with oldKey + "/" under newKey, keeping
  // their source lists; moved keys go to the head of their chains again.
  void Rekey(const std::string& oldKey, const std::string& newKey);

  // Destroys every source list and empties the map.
  void RemoveAll();

  // Every entry in walk order.
  std::vector<Entry> Walk() const;

 private:
  struct Node {
    std::string key;
    std::unique_ptr<CSourceList> sources;
  };
  using Chain = std::list<Node>;  // front is the head: the newest key

  Node* FindNode(const std::string& key) const;
  Node& Insert(const std::string& key, std::unique_ptr<CSourceList> sources);

  std::array<Chain, kBucketCount> m_buckets;
  // Every key's node, so that finding a key does not step through its chain.
  std::unordered_map<std::string, Chain::iterator> m_index;
};
