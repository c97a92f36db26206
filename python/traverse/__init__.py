"""Survey traverse record files in Python: import, checks, field checks, adjustment, report.

    import traverse
    records = traverse.read("examples/traverse.xml")
    adjustment = records.adjust(grade="一级")
    for point in adjustment.points:
        print(point.name, point.x, point.y, point.sigma_p_mm)

Conventions: x north, y east, heights h, all in metres; directions clockwise; small quantities in
the surveyor's units (arc seconds, millimetres), each named in its field (``sigma_x_mm``). Results
are plain objects whose fields are the keys of the ``traverse`` program's JSON output (a key that
is a Python keyword takes a trailing underscore: ``tests.global_``).
"""

import json
import keyword
import os
import types

from . import _traverse

__all__ = ["read", "RecordFile", "Adjustment", "TraverseError", "set_language", "language", "as_dict"]
__version__ = _traverse.version()


class TraverseError(Exception):
    """The library refused a file or a command: ``message``, and ``line``/``column`` (1-based)
    where the fault has a place in the file, else None."""

    def __init__(self, message, line=0, column=0):
        super().__init__(message)
        self.message = message
        self.line = line or None
        self.column = column or None


def set_language(code):
    """Chooses the language of reports and notes for the whole process: 'zh' (default) or 'en'."""
    _traverse.set_language(code)


def language():
    """'zh' or 'en'."""
    return _traverse.language()


def _field(key):
    """A JSON key as a field name: a Python keyword takes a trailing underscore (``global_``)."""
    return key + "_" if keyword.iskeyword(key) else key


def _key(field):
    return field[:-1] if field.endswith("_") and keyword.iskeyword(field[:-1]) else field


def _plain(text):
    return json.loads(text, object_hook=lambda fields: types.SimpleNamespace(
        **{_field(key): value for key, value in fields.items()}))


def as_dict(value):
    """A result as the JSON the program writes: plain objects become dicts, recursively."""
    if isinstance(value, types.SimpleNamespace):
        return {_key(field): as_dict(item) for field, item in vars(value).items()}
    if isinstance(value, list):
        return [as_dict(item) for item in value]
    return value


def _library_call(function, *args):
    try:
        return function(*args)
    except _traverse.LibraryError as error:
        raise TraverseError(*error.args) from None


def read(path):
    """Imports the record file at path (str or os.PathLike) and returns its RecordFile.

    Raises FileNotFoundError for a missing file and TraverseError for a file the parser refuses.
    A file that loads but whose import failed is returned: see ``result`` and ``report``."""
    path = os.fspath(path)
    if not os.path.exists(path):
        raise FileNotFoundError(2, "No such file or directory", path)
    return RecordFile(_library_call(_traverse.RecordFile, path))


class RecordFile:
    """One imported record file. ``result`` is 0 when the import succeeded; ``report`` holds the
    import's complaints; ``checks``, ``known_points`` and ``stations`` what it read (rounds as lists
    of records ``target``, ``values``: angles packed ddd.mmss face left then face right, distances
    and heights in metres)."""

    def __init__(self, native):
        self._native = native
        data = _plain(native.data_json())
        self.checks = data.checks
        self.known_points = data.known_points
        self.stations = data.stations

    path = property(lambda self: self._native.path, doc="The file as given.")
    result = property(lambda self: self._native.result, doc="0, or the import's failure result.")
    report = property(lambda self: self._native.report, doc="The import's report text.")
    messages = property(lambda self: self._native.messages, doc="The import's message boxes.")

    @property
    def incomplete(self):
        """Records without the readings they need: kind, station, round, target."""
        return _plain(self._native.incomplete_json())

    @property
    def warnings(self):
        """Values whose text is no number, with the line they stand on."""
        return _plain(self._native.warnings_json())

    def check(self):
        """The horizontal-angle check report (text); its message boxes go to ``check_messages``."""
        report, self.check_messages = self._native.check()
        return report

    def field_checks(self, grade=None, instrument=None):
        """Every value of the field checks: code, item, station, round, target, face, value, limit
        (null where none), limit_source, exceeded. grade: '三等' ... '三级'; instrument: as the
        program's --instrument, e.g. '2,5mm'."""
        return _plain(self._native.field_checks_json(grade, instrument)).items

    def field_checks_report(self, grade=None, instrument=None):
        """The field checks as the program prints them."""
        return self._native.field_checks_text(grade, instrument)

    def adjust(self, **options):
        """The least-squares adjustment. Options as the program's, in snake case: grade ('一级'),
        instrument ('2,2mm+2ppm'), sigma_direction (arc seconds), sigma_distance (mm), sigma_ppm,
        sigma_height (mm/km), refraction, earth_radius (m), surface_height (m), y_offset (m),
        crs ('EPSG:4547'), alpha, w_critical, confidence (0.95). An option out of range raises
        ValueError."""
        return Adjustment(self._native.adjust(options))

    def report_html(self, grade=None, instrument=None, **options):
        """The self-contained HTML page of this file (str)."""
        return self._native.report_html(grade, instrument, options)

    def _repr_html_(self):
        return self.report_html()

    def export(self, path):
        """Writes the adjustment input file at path; TraverseError when it cannot."""
        _library_call(self._native.export, os.fspath(path))


class Adjustment:
    """The adjustment's result: status ('adjusted' or why not), error, settings, notes, closures,
    tests, points and observations, as plain objects (read on first use)."""

    _FIELDS = ("result", "status", "error", "settings", "notes", "closures", "tests",
               "iterations", "points", "observations")

    def __init__(self, native):
        self._native = native
        self._json = None

    def __getattr__(self, name):
        if name not in Adjustment._FIELDS:
            raise AttributeError(name)
        if self._json is None:
            self._json = _plain(self._native.json())
        return getattr(self._json, name)

    @property
    def within_limits(self):
        """Adjusted, the global test passed, every closure within its limit."""
        return self.result == 0

    def report(self):
        """The adjustment report for people (text)."""
        return self._native.report()

    def write_csv(self, path):
        """The points as the program's CSV."""
        _library_call(self._native.write_csv, os.fspath(path))

    def points_array(self):
        """The points as a NumPy structured array (name, x, y, h, sigma_x_mm, sigma_y_mm,
        sigma_p_mm, ellipse_a_mm, ellipse_b_mm, ellipse_azimuth_deg, sigma_h_mm); NaN where a
        point has no such coordinate."""
        import numpy

        fields = ["x", "y", "h", "sigma_x_mm", "sigma_y_mm", "sigma_p_mm", "ellipse_a_mm",
                  "ellipse_b_mm", "ellipse_azimuth_deg", "sigma_h_mm"]
        dtype = [("name", object)] + [(field, "f8") for field in fields]
        rows = [(p.name,) + tuple(numpy.nan if getattr(p, f) is None else getattr(p, f) for f in fields)
                for p in self.points]
        return numpy.array(rows, dtype=dtype)
