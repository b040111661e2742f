"""scripts/po check's glossary part: a wrong word is found only in texts whose English has its term."""
import importlib.machinery
import importlib.util
import pathlib
import tempfile
import unittest

SCRIPT = pathlib.Path(__file__).resolve().parents[2] / "scripts" / "po"
loader = importlib.machinery.SourceFileLoader("po_script", str(SCRIPT))
po = importlib.util.module_from_spec(importlib.util.spec_from_loader("po_script", loader))
loader.exec_module(po)

GLOSSARY = """## pl: Polski

| English | Polski | when |
|---|---|---|
| pause, paused | wstrzymać | |

| English | Wrong | Instead |
|---|---|---|
| hold, held | wstrzym | opóźniona |
| tray | zasobnik | obszar powiadomień |
"""


class GlossaryTest(unittest.TestCase):
    def setUp(self):
        with tempfile.TemporaryDirectory() as folder:
            path = pathlib.Path(folder) / "glossary.md"
            path.write_text(GLOSSARY, encoding="utf-8")
            self.wrong = po.wrong_terms(path)["pl"]

    def test_only_the_wrong_terms_are_read(self):
        self.assertEqual([words for _, words, _ in self.wrong], ["wstrzym", "zasobnik"])

    def test_a_wrong_word_is_found_in_any_form_and_case(self):
        found = po.misused("{count} held for {time}", ["{count} opóźniona", "{count} Wstrzymane"], self.wrong)
        self.assertEqual(found, [("held", "wstrzym", "opóźniona")])
        self.assertEqual(len(po.misused("Tray and working hours", ["Zasobnika i godziny"], self.wrong)), 1)

    def test_the_same_word_is_right_where_the_english_lacks_the_term(self):
        self.assertEqual(po.misused("Pause Reminders", ["Wstrzymaj przypomnienia"], self.wrong), [])
        self.assertEqual(po.misused("Threshold", ["Wstrzymaj"], self.wrong), [])


if __name__ == "__main__":
    unittest.main()
