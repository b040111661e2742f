#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "settings/SettingTable.h"

// The Group Policy templates and the README against the program's own list of settings: a
// setting cannot be added without its policy, nor a policy without its setting.
namespace rp::test {
namespace {

constexpr char kPolicyKey[] = "Software\\Policies\\Kelvadore\\Periodic Respite Prompter";

std::string ReadSource(const std::string& path) {
  std::ifstream file(std::string(RP_SOURCE_DIR) + "/" + path, std::ios::binary);
  if (!file) throw std::runtime_error("cannot read " + path);
  std::ostringstream content;
  content << file.rdbuf();
  return content.str();
}

// Just enough XML for the templates: elements, attributes, text, comments and the declaration.
struct Element {
  std::string name;
  std::map<std::string, std::string> attributes;
  std::string text;
  std::vector<Element> children;

  std::string Attribute(const std::string& key) const {
    auto it = attributes.find(key);
    return it == attributes.end() ? "" : it->second;
  }
  const Element* Child(const std::string& childName) const {
    for (const Element& child : children)
      if (child.name == childName) return &child;
    return nullptr;
  }
  void CollectAll(const std::string& wanted, std::vector<const Element*>& found) const {
    for (const Element& child : children) {
      if (child.name == wanted) found.push_back(&child);
      child.CollectAll(wanted, found);
    }
  }
  std::vector<const Element*> All(const std::string& wanted) const {
    std::vector<const Element*> found;
    CollectAll(wanted, found);
    return found;
  }
};

std::string Decoded(std::string_view raw) {
  static const std::pair<std::string_view, char> kEntities[] = {
      {"&amp;", '&'}, {"&lt;", '<'}, {"&gt;", '>'}, {"&quot;", '"'}, {"&apos;", '\''}};
  std::string text;
  for (std::size_t i = 0; i < raw.size();) {
    bool replaced = false;
    for (const auto& [entity, c] : kEntities) {
      if (raw.substr(i, entity.size()) == entity) {
        text += c;
        i += entity.size();
        replaced = true;
        break;
      }
    }
    if (!replaced) text += raw[i++];
  }
  return text;
}

Element ParseXml(std::string_view xml) {
  Element document;
  std::vector<Element*> open{&document};
  std::size_t at = 0;
  const auto expect = [&](bool condition, const char* what) {
    if (!condition) throw std::runtime_error(std::string(what) + " at byte " + std::to_string(at));
  };
  while (at < xml.size()) {
    const std::size_t lt = xml.find('<', at);
    open.back()->text += Decoded(xml.substr(at, lt - at));
    if (lt == std::string_view::npos) break;
    at = lt;
    if (xml.substr(at, 4) == "<!--" || xml.substr(at, 2) == "<?") {
      const std::string_view end = xml[at + 1] == '!' ? "-->" : "?>";
      const std::size_t close = xml.find(end, at);
      expect(close != std::string_view::npos, "unclosed comment or declaration");
      at = close + end.size();
      continue;
    }
    const std::size_t gt = xml.find('>', at);
    expect(gt != std::string_view::npos, "unclosed tag");
    std::string_view tag = xml.substr(at + 1, gt - at - 1);
    at = gt + 1;
    if (tag.starts_with('/')) {
      expect(open.size() > 1 && open.back()->name == tag.substr(1), "end tag without its start");
      open.pop_back();
      continue;
    }
    const bool empty = tag.ends_with('/');
    if (empty) tag.remove_suffix(1);
    Element element;
    const std::size_t nameEnd = tag.find_first_of(" \t\r\n");
    element.name = tag.substr(0, nameEnd);
    for (std::size_t i = nameEnd; i < tag.size() && i != std::string_view::npos;) {
      i = tag.find_first_not_of(" \t\r\n", i);
      if (i == std::string_view::npos) break;
      const std::size_t equals = tag.find('=', i);
      expect(equals != std::string_view::npos && tag[equals + 1] == '"', "attribute without a quoted value");
      const std::size_t quote = tag.find('"', equals + 2);
      expect(quote != std::string_view::npos, "unclosed attribute value");
      element.attributes[std::string(tag.substr(i, equals - i))] = Decoded(tag.substr(equals + 2, quote - equals - 2));
      i = quote + 1;
    }
    open.back()->children.push_back(std::move(element));
    if (!empty) open.push_back(&open.back()->children.back());
  }
  expect(open.size() == 1 && document.children.size() == 1, "not one root element");
  return std::move(document.children[0]);
}

// The texts a policy writes under a value name, in the order the template offers them: its
// enabled and disabled values, an enumeration's items, or a number's or a text's element.
struct PolicyValues {
  std::vector<std::string> texts;
  const Element* number = nullptr;
  const Element* text = nullptr;
};

std::map<std::string, PolicyValues> ValuesByName(const Element& admx) {
  std::map<std::string, PolicyValues> byName;
  for (const Element* policy : admx.All("policy")) {
    EXPECT_EQ(policy->Attribute("key"), kPolicyKey) << policy->Attribute("name");
    EXPECT_EQ(policy->Attribute("class"), "Both") << policy->Attribute("name");
    if (!policy->Attribute("valueName").empty()) {
      PolicyValues& values = byName[policy->Attribute("valueName")];
      for (const char* state : {"enabledValue", "disabledValue"})
        if (const Element* value = policy->Child(state)) values.texts.push_back(value->Child("string")->text);
    }
    if (const Element* elements = policy->Child("elements")) {
      for (const Element& element : elements->children) {
        EXPECT_EQ(element.Attribute("key"), "") << "every value under the policy's own key";
        PolicyValues& values = byName[element.Attribute("valueName")];
        if (element.name == "decimal") values.number = &element;
        if (element.name == "text") values.text = &element;
        for (const Element* item : element.All("item")) values.texts.push_back(item->Child("value")->Child("string")->text);
      }
    }
  }
  return byName;
}

TEST(PolicyTemplates, EverySettingAPolicyMaySetHasOnePolicyThatWritesTheValuesItTakes) {
  const Element admx = ParseXml(ReadSource("packaging/policy/RespitePrompter.admx"));
  ASSERT_EQ(admx.name, "policyDefinitions");
  std::map<std::string, PolicyValues> byName = ValuesByName(admx);
  for (const SettingDefinition& setting : kSettings) {
    const std::string name(setting.name);
    SCOPED_TRACE(name);
    const auto it = byName.find(name);
    if (!SetByPolicies(setting)) {
      EXPECT_EQ(it, byName.end()) << "the program's own memory has no policy";
      continue;
    }
    ASSERT_NE(it, byName.end()) << "no policy writes this setting";
    const PolicyValues& values = it->second;
    switch (setting.values.kind) {
      case SettingValues::Kind::OneOf:
        EXPECT_EQ(values.texts, std::vector<std::string>(setting.values.choices.begin(), setting.values.choices.end()));
        break;
      case SettingValues::Kind::Whole:
        ASSERT_NE(values.number, nullptr);
        EXPECT_EQ(values.number->Attribute("minValue"), std::to_string(setting.values.min));
        EXPECT_EQ(values.number->Attribute("maxValue"), std::to_string(setting.values.max));
        EXPECT_EQ(values.number->Attribute("storeAsText"), "true") << "the program reads text only";
        break;
      case SettingValues::Kind::Text:
        EXPECT_NE(values.text, nullptr);
        break;
    }
    byName.erase(it);
  }
  for (const auto& [name, values] : byName) ADD_FAILURE() << "a policy for \"" << name << "\", which is no setting";
}

TEST(PolicyTemplates, EveryTextAndPresentationTheTemplateNamesIsInItsLanguageFile) {
  const std::string admxText = ReadSource("packaging/policy/RespitePrompter.admx");
  const Element admx = ParseXml(admxText);
  const Element adml = ParseXml(ReadSource("packaging/policy/en-US/RespitePrompter.adml"));
  ASSERT_EQ(adml.name, "policyDefinitionResources");
  std::set<std::string> strings;
  for (const Element* string : adml.All("string")) EXPECT_TRUE(strings.insert(string->Attribute("id")).second);
  std::map<std::string, const Element*> presentations;
  for (const Element* presentation : adml.All("presentation")) presentations[presentation->Attribute("id")] = presentation;

  std::size_t references = 0;
  for (std::size_t at = admxText.find("$(string."); at != std::string::npos; at = admxText.find("$(string.", at + 1)) {
    const std::string id = admxText.substr(at + 9, admxText.find(')', at) - at - 9);
    EXPECT_TRUE(strings.contains(id)) << id;
    ++references;
  }
  EXPECT_GT(references, std::size(kSettings));
  for (const Element* policy : admx.All("policy")) {
    const std::string reference = policy->Attribute("presentation");
    const Element* elements = policy->Child("elements");
    EXPECT_EQ(reference.empty(), elements == nullptr) << policy->Attribute("name");
    if (!elements) continue;
    constexpr std::string_view kPrefix = "$(presentation.";
    const auto it = presentations.find(reference.substr(kPrefix.size(), reference.size() - kPrefix.size() - 1));
    ASSERT_NE(it, presentations.end()) << reference;
    for (const Element& element : elements->children) {
      bool shown = false;
      for (const Element& control : it->second->children) shown |= control.Attribute("refId") == element.Attribute("id");
      EXPECT_TRUE(shown) << element.Attribute("id");
    }
  }
}

TEST(PolicyTemplates, TheReadmeNamesThePolicyKeysAndEverySetting) {
  const std::string readme = ReadSource("README.md");
  for (const char* root : {"HKEY_LOCAL_MACHINE\\", "HKEY_CURRENT_USER\\"})
    EXPECT_NE(readme.find(std::string(root) + kPolicyKey), std::string::npos) << root;
  for (const SettingDefinition& setting : kSettings)
    EXPECT_NE(readme.find("`" + std::string(setting.name) + "`"), std::string::npos) << setting.name;
}

TEST(PolicyTemplates, TheXmlReaderRefusesWhatIsNotXml) {
  for (const char* broken : {"<a><b></a></b>", "<a x=1/>", "<a>", "<a/><b/>", "<a><!-- x </a>"})
    EXPECT_THROW(ParseXml(broken), std::runtime_error) << broken;
  const Element element = ParseXml("<?xml version=\"1.0\"?><a x=\"1 &amp; 2\"><!-- c --><b>t&lt;</b></a>");
  EXPECT_EQ(element.Attribute("x"), "1 & 2");
  EXPECT_EQ(element.Child("b")->text, "t<");
}

}  // namespace
}  // namespace rp::test
