"""The Python package against the program: the same results as its JSON, errors as exceptions,
threads adjusting at once."""
import concurrent.futures
import glob
import json
import os
import subprocess
import sys
import tempfile
import unittest

import traverse

CLI = os.environ["TRAVERSE_CLI"]
SOURCE = os.environ["TRAVERSE_SOURCE_DIR"]
EXAMPLES = sorted(glob.glob(os.path.join(SOURCE, "examples", "*.xml")))


def cli_objects(*arguments):
    run = subprocess.run([CLI, "--json", *arguments], capture_output=True, check=False)
    return [json.loads(line) for line in run.stdout.decode().splitlines()]


def cli_object(command, *arguments):
    return next(o for o in cli_objects(*arguments) if o["command"] == command)


def generated_networks(folder):
    paths = []
    for seed in (1, 2, 3):
        path = os.path.join(folder, f"generated-{seed}.xml")
        subprocess.run([sys.executable, os.path.join(SOURCE, "tools", "generate_records.py"),
                        "-o", path, "--stations", "30", "--seed", str(seed)], check=True)
        paths.append(path)
    return paths


class SameAsTheProgram(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.folder = tempfile.TemporaryDirectory()
        cls.files = EXAMPLES + generated_networks(cls.folder.name)

    @classmethod
    def tearDownClass(cls):
        cls.folder.cleanup()

    def test_import_adjustment_and_field_checks_equal_the_json(self):
        for path in self.files:
            with self.subTest(file=os.path.basename(path)):
                records = traverse.read(path)
                imported = cli_object("import", "import", path)
                self.assertEqual(records.result, imported["result"])
                self.assertEqual(traverse.as_dict(records.known_points), imported["data"]["known_points"])
                self.assertEqual(traverse.as_dict(records.stations), imported["data"]["stations"])
                adjusted = cli_object("adjust", "adjust", path)
                adjustment = records.adjust()
                for field in traverse.Adjustment._FIELDS:
                    self.assertEqual(traverse.as_dict(getattr(adjustment, field)), adjusted[field], field)
                checks = cli_object("field-checks", "check", "--all", "--grade", "二级", path)
                self.assertEqual(traverse.as_dict(records.field_checks(grade="二级")), checks["items"])

    def test_check_report_and_points_array(self):
        path = os.path.join(SOURCE, "examples", "traverse.xml")
        records = traverse.read(path)
        self.assertEqual(records.check(), cli_object("check", "check", path)["report"])
        try:
            import numpy
        except ImportError:
            self.skipTest("NumPy is not installed")
        adjustment = records.adjust()
        array = adjustment.points_array()
        self.assertEqual(list(array["name"]), [p.name for p in adjustment.points])
        self.assertTrue(numpy.allclose(array["x"], [p.x for p in adjustment.points]))


class Errors(unittest.TestCase):
    def test_missing_broken_and_refused(self):
        with self.assertRaises(FileNotFoundError):
            traverse.read("/nonexistent/records.xml")
        with tempfile.NamedTemporaryFile(suffix=".xml") as broken:
            broken.write(b'<?xml version="1.0" encoding="UTF-8"?>\n<a>\n  <b></a>\n')
            broken.flush()
            with self.assertRaises(traverse.TraverseError) as caught:
                traverse.read(broken.name)
            self.assertEqual(caught.exception.line, 3)
            self.assertIsNotNone(caught.exception.column)
            self.assertIn(broken.name, caught.exception.message)
        records = traverse.read(EXAMPLES[0])
        with self.assertRaises(ValueError):
            records.adjust(alpha=2)
        with self.assertRaises(TypeError):
            records.adjust(sigma=1)
        with self.assertRaises(ValueError):
            records.field_checks(grade="五等")
        with self.assertRaises(traverse.TraverseError):
            records.export("/nonexistent/folder/out.txt")
        # A write that fails midway is the library's error too, with its reason.
        with self.assertRaises(traverse.TraverseError) as caught:
            records.adjust().write_csv("/dev/full")
        self.assertIn("/dev/full", caught.exception.message)


class Threads(unittest.TestCase):
    def test_four_threads_adjust_as_one(self):
        records = [traverse.read(path) for path in EXAMPLES]
        alone = [traverse.as_dict(r.adjust().points) for r in records]
        with concurrent.futures.ThreadPoolExecutor(4) as pool:
            for _ in range(3):
                together = list(pool.map(lambda r: traverse.as_dict(r.adjust().points), records * 4))
                self.assertEqual(together, alone * 4)


if __name__ == "__main__":
    unittest.main()
