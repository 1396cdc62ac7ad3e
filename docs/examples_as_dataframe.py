"""Every bundled example in one pandas DataFrame, and the wavelength scans
plotted with matplotlib: ordelix in the cells of a notebook (`# %%` starts
each, as Jupyter and editors read them).

    PYTHONPATH=build/python python3 docs/examples_as_dataframe.py [EXAMPLES [PLOT]]

EXAMPLES defaults to the examples/ folder beside docs/; the plot opens in a
window, or is written to PLOT (a .png, .svg or .pdf).
"""

# %%
import pathlib
import sys

import matplotlib.pyplot as plt
import pandas as pd

import ordelix

examples = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else
                        pathlib.Path(__file__).resolve().parents[1] / "examples")
plot_file = sys.argv[2] if len(sys.argv) > 2 else None

# %% Each file's data table, its rows tagged with the file and its mode.
reports = ordelix.read_many(sorted(examples.iterdir()))
runs = pd.concat([r.to_pandas().assign(file=r.file, mode=r.mode) for r in reports],
                 ignore_index=True)
print(runs.groupby(["mode", "file"]).size().rename("rows").to_string())

# %% The scans, one line each: the first column is the wavelength.
figure, axes = plt.subplots(figsize=(9, 5))
for report in reports:
    if report.mode == "wavelength scan":
        scan = report.to_pandas()
        axes.plot(scan.iloc[:, 0], scan.iloc[:, 1], label=f"{report.file} ({scan.columns[1]})")
axes.set_xlabel("wavelength (nm)")
axes.set_ylabel("value")
axes.legend(fontsize="small")
if plot_file:
    figure.savefig(plot_file)
else:
    plt.show()
