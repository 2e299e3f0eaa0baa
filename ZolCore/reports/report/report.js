// The studio report's behaviour. The document declares BUCKETS (one bar of the
// chart each) and BY_MONTH (a year's report) just before this script, and holds
// the sessions as JSON in #rows. Everything is built with DOM nodes and text,
// never from markup, so no text of a session can become part of the page.

const PAGE = 200;
const BREAKDOWN_PAGE = 25;

(() => {
  const $ = (id) => document.getElementById(id);

  const MONTHS = ["January", "February", "March", "April", "May", "June", "July",
    "August", "September", "October", "November", "December"];
  const SHORT_MONTHS = MONTHS.map((name) => name.slice(0, 3));
  const WEEKDAYS = ["Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"];
  const collator = new Intl.Collator("en", { numeric: true, sensitivity: "base" });

  // Lower case, diacritics and width variants gone, white space made single:
  // how both the sessions and the query are compared. Plain ASCII, the usual
  // case, skips the decomposition.
  const nonAscii = /[^\x00-\x7f]/;
  const marks = /\p{M}+/gu;
  const spaces = /\s+/g;
  function fold(text) {
    let folded = text;
    if (nonAscii.test(folded)) folded = folded.normalize("NFKD").replace(marks, "");
    return folded.toLowerCase().replace(spaces, " ").trim();
  }

  // ---- Number formats ----

  // Two decimals, always: 7.50.
  const hours = (seconds) => (Math.round(seconds / 36) / 100).toFixed(2);

  // Whole minutes: 45m under an hour, else 2h or 2h 5m.
  function coarse(seconds) {
    const minutes = Math.round(seconds / 60);
    if (minutes < 60) return `${minutes}m`;
    const rest = minutes % 60;
    return rest ? `${Math.floor(minutes / 60)}h ${rest}m` : `${Math.floor(minutes / 60)}h`;
  }

  const counted = (n, one, many) => `${n} ${n === 1 ? one : many}`;

  function el(tag, props, ...children) {
    const node = document.createElement(tag);
    if (props) {
      for (const [key, value] of Object.entries(props)) {
        if (key === "text") node.textContent = value;
        else if (key === "class") node.className = value;
        else if (key === "style") node.style.cssText = value;
        else node.setAttribute(key, value);
      }
    }
    node.append(...children);
    return node;
  }

  const total = (rows) => {
    let seconds = 0;
    for (const row of rows) seconds += row.s;
    return seconds;
  };

  // ---- The sessions, prepared once ----

  const rows = JSON.parse($("rows").textContent);
  for (const row of rows) {
    row.m = row.d.slice(0, 7);
    row.f = fold([row.p, row.c, row.n, row.k, row.a, row.t, row.i ? "internal" : ""].join(" "));
    // Projects count by number (however its letters are cased), by name
    // without one, and internal work as one.
    row.pk = row.i ? "\u2022internal" : row.k ? row.k.trim().toUpperCase() : "\u2022" + row.n;
  }

  const state = {
    query: "",
    folded: "",
    month: null,
    group: "person",
    sortKey: "d",
    sortDescending: false,
    shown: PAGE,
    breakdownShown: BREAKDOWN_PAGE,
    openMonths: new Set(),
  };

  const search = $("q");
  const note = document.querySelector("section.note");
  const chartHeading = document.querySelector("#chart-block h2");
  const chartTitle = chartHeading.textContent;

  // ---- Lede and figures ----

  function projectsIn(list) {
    const keys = new Set();
    for (const row of list) keys.add(row.pk);
    return keys.size;
  }

  function peopleIn(list) {
    const names = new Set();
    for (const row of list) names.add(row.p);
    return names.size;
  }

  function renderLede(list, seconds) {
    const lede = $("lede");
    lede.replaceChildren(el("strong", { text: `${hours(seconds)} hours` }), " across ");
    if (state.query) {
      lede.append(`${counted(list.length, "session", "sessions")} matching \u201c${state.query}\u201d.`);
    } else {
      lede.append(`${counted(peopleIn(list), "person", "people")} and ` +
        `${counted(projectsIn(list), "project", "projects")}.`);
    }
  }

  function renderFigures(list, seconds) {
    const people = peopleIn(list);
    const projects = projectsIn(list);
    const tile = (value, label, lead) => el("div", { class: lead ? "figure figure-lead" : "figure" },
      el("span", { class: "figure-value", text: value }),
      el("span", { class: "figure-label", text: label }));
    $("figures").replaceChildren(
      tile(coarse(seconds), "tracked", true),
      tile(String(people), people === 1 ? "person" : "people"),
      tile(String(projects), projects === 1 ? "project" : "projects"),
      tile(String(list.length), list.length === 1 ? "session" : "sessions"));
  }

  // ---- Month chips (a year's report) ----

  function renderMonths(searched) {
    const host = $("months");
    if (!BY_MONTH) return;
    host.hidden = false;
    const byMonth = new Map();
    let year = 0;
    for (const row of searched) {
      byMonth.set(row.m, (byMonth.get(row.m) || 0) + row.s);
      year += row.s;
    }
    const chip = (label, value, month, disabled) => {
      const button = el("button", {
        type: "button",
        "data-month": month || "",
        "aria-pressed": String(state.month === month),
      }, label, " ", el("span", { text: value }));
      button.disabled = disabled;
      return button;
    };
    host.replaceChildren(chip("Whole year", coarse(year), null, false),
      ...BUCKETS.map((bucket) => {
        const seconds = byMonth.get(bucket.k) || 0;
        return chip(bucket.l, seconds ? coarse(seconds) : "\u2013", bucket.k, seconds === 0);
      }));
  }

  function chooseMonth(month) {
    state.month = month;
    state.shown = PAGE;
    state.breakdownShown = BREAKDOWN_PAGE;
    render();
  }

  // ---- Chart ----

  function daysOf(month) {
    const [year, number] = month.split("-").map(Number);
    const length = new Date(Date.UTC(year, number, 0)).getUTCDate();
    return Array.from({ length }, (_, i) => ({
      k: `${month}-${String(i + 1).padStart(2, "0")}`,
      l: String(i + 1),
      s: WEEKDAYS[new Date(Date.UTC(year, number - 1, i + 1)).getUTCDay()],
    }));
  }

  function bucketName(key) {
    const [year, month, day] = key.split("-").map(Number);
    if (!day) return `${MONTHS[month - 1]} ${year}`;
    const weekday = WEEKDAYS[new Date(Date.UTC(year, month - 1, day)).getUTCDay()];
    return `${weekday} ${day} ${SHORT_MONTHS[month - 1]}`;
  }

  function renderChart(list) {
    const byDay = !BY_MONTH || state.month !== null;
    const buckets = BY_MONTH && state.month ? daysOf(state.month) : BUCKETS;
    const sums = new Map();
    for (const row of list) {
      const key = byDay ? row.d : row.m;
      sums.set(key, (sums.get(key) || 0) + row.s);
    }
    let peak = 0;
    for (const bucket of buckets) peak = Math.max(peak, sums.get(bucket.k) || 0);

    const block = $("chart-block");
    block.hidden = peak === 0;
    chartHeading.textContent = BY_MONTH && state.month ? "Day by day" : chartTitle;
    if (peak === 0) {
      $("chart").replaceChildren();
      return;
    }
    const many = buckets.length > 12;
    $("chart-peak").textContent = many ? `tallest ${coarse(peak)}` : "";
    $("chart").replaceChildren(...buckets.map((bucket) => {
      const seconds = sums.get(bucket.k) || 0;
      const value = seconds ? coarse(seconds) : "\u2013";
      // A short day beside a long one stays visible.
      const height = seconds > 0 ? Math.max(seconds / peak * 100, 2) : 0;
      const column = el("div", { class: "bar-col", "data-key": bucket.k, title: `${bucketName(bucket.k)}: ${value}` },
        el("div", { class: "bar-track" }, el("div", { class: "bar", style: `height: ${height}%` })),
        el("div", { class: "bar-label", text: bucket.l }),
        el("div", { class: "bar-sub", text: bucket.s }));
      if (!many) column.append(el("div", { class: "bar-value", text: value }));
      return column;
    }));
  }

  // ---- Breakdown ----

  const GROUPS = {
    person: { title: "By person", column: "Name", key: (r) => r.p, name: (r) => r.p },
    client: {
      title: "By client", column: "Client",
      key: (r) => (r.ck ??= fold(r.c)),
      name: (r) => r.c || "No client",
    },
    task: {
      title: "By task", column: "Task",
      key: (r) => (r.ak ??= fold(r.a)),
      name: (r) => r.a || "No task",
    },
    project: {
      title: "By project", column: "Number",
      key: (r) => r.pk,
      name: (r) => (r.i ? "Internal" : r.k || r.n),
      sub: (r) => (r.i ? r.n : [r.c, r.n].filter(Boolean).join(" \u00b7 ")),
    },
  };

  function renderBreakdown(list, seconds) {
    const group = GROUPS[state.group];
    const groups = new Map();
    for (const row of list) {
      const key = group.key(row);
      let entry = groups.get(key);
      if (!entry) {
        entry = { key, title: group.name(row), sub: group.sub ? group.sub(row) : "", seconds: 0 };
        groups.set(key, entry);
      }
      entry.seconds += row.s;
    }
    const sorted = [...groups.values()].sort((a, b) =>
      b.seconds - a.seconds || collator.compare(a.key, b.key));

    $("breakdown-title").textContent = group.title;
    const table = $("breakdown");
    table.tHead.rows[0].cells[0].textContent = group.column;
    const body = table.tBodies[0];
    const more = $("breakdown-more");
    if (sorted.length === 0) {
      body.replaceChildren(el("tr", null, el("td", { class: "empty", colspan: "3", text: "Nothing matches." })));
      table.tFoot.replaceChildren();
      $("breakdown-count").textContent = "";
      more.hidden = true;
      return;
    }

    const percent = (part) => (seconds > 0 ? Math.round(part / seconds * 100) : 0);
    const shareCell = (part) => el("td", { class: "share" },
      el("div", { class: "share-cell" },
        el("span", { class: "share-bar" }, el("i", { style: `width: ${seconds > 0 ? part / seconds * 100 : 0}%` })),
        el("span", { class: "share-pct", text: `${percent(part)}%` })));

    const shown = sorted.slice(0, state.breakdownShown);
    body.replaceChildren(...shown.map((entry) => el("tr", null,
      el("td", null, el("bdi", { text: entry.title }),
        ...(entry.sub ? [el("bdi", { class: "sub", text: entry.sub })] : [])),
      el("td", { class: "num", text: hours(entry.seconds) }),
      shareCell(entry.seconds))));

    const capped = shown.length < sorted.length;
    table.tFoot.replaceChildren(el("tr", null,
      el("td", { text: capped ? `Total (all ${sorted.length})` : "Total" }),
      el("td", { class: "num", text: hours(seconds) }),
      shareCell(seconds)));
    $("breakdown-count").textContent = capped ? `${shown.length} of ${sorted.length}` : "";
    const left = sorted.length - shown.length;
    more.hidden = !capped;
    more.textContent = capped ? `Show ${Math.min(BREAKDOWN_PAGE, left)} more of ${left}` : "";
  }

  // ---- Sessions ----

  const COLUMNS = [
    { key: "d", label: "Date", cell: (r) => r.d, class: "date" },
    { key: "p", label: "Who", cell: (r) => r.p },
    { key: "c", label: "Client", cell: (r) => r.c },
    { key: "n", label: "Project", cell: (r) => r.n },
    { key: "k", label: "Number", cell: (r) => r.k },
    { key: "a", label: "Task", cell: (r) => r.a },
    { key: "s", label: "Hours", cell: (r) => hours(r.s), class: "num" },
    { key: "t", label: "Note", cell: (r) => r.t, class: "note-text" },
  ];

  // The rows arrive by date, then person, which is the first order; every
  // other order is a sort of that list, so ties keep falling back to the date.
  function ordered(list) {
    const key = state.sortKey;
    const direction = state.sortDescending ? -1 : 1;
    if (key === "d") return state.sortDescending ? list.slice().reverse() : list;
    const compare = key === "s"
      ? (a, b) => a.s - b.s
      : (a, b) => collator.compare(a[key], b[key]);
    return list.slice().sort((a, b) => direction * compare(a, b) || (a.d < b.d ? -1 : a.d > b.d ? 1 : 0));
  }

  function sessionsTable(list) {
    const head = el("tr", null, ...COLUMNS.map((column) => {
      const active = state.sortKey === column.key;
      const th = el("th", { class: column.class === "num" ? "num" : "", scope: "col" },
        el("button", { type: "button", "data-sort": column.key }, column.label,
          el("span", { class: "sort-mark", "aria-hidden": "true", text: active ? (state.sortDescending ? "\u2193" : "\u2191") : "" })));
      if (active) th.setAttribute("aria-sort", state.sortDescending ? "descending" : "ascending");
      return th;
    }));
    const body = el("tbody");
    if (list.length === 0) {
      body.append(el("tr", null, el("td", { class: "empty", colspan: String(COLUMNS.length), text: "Nothing matches." })));
    } else {
      const fragment = document.createDocumentFragment();
      for (const row of list) {
        const tr = document.createElement("tr");
        for (const column of COLUMNS) {
          const td = document.createElement("td");
          if (column.class) td.className = column.class;
          // Names are isolated: one written right to left cannot reorder the
          // cells around it.
          td.append(el("bdi", { text: column.cell(row) }));
          tr.append(td);
        }
        fragment.append(tr);
      }
      body.append(fragment);
    }
    return el("table", { class: "sessions" }, el("thead", null, head), body);
  }

  function monthBlock(key, list) {
    const [year, month] = key.split("-").map(Number);
    const name = `${MONTHS[month - 1]} ${year}`;
    if (list.length === 0) {
      return el("div", { class: "month month-empty", "data-month": key },
        el("span", { class: "month-name", text: name }), el("span", { text: "nothing tracked" }));
    }
    const details = el("details", { class: "month", "data-month": key },
      el("summary", null,
        el("span", { class: "month-name", text: name }),
        el("span", { class: "count", text: counted(list.length, "session", "sessions") }),
        el("span", { class: "month-hours", text: hours(total(list)) })));
    // A month's table exists only while it is open: a year can hold tens of
    // thousands of sessions.
    const build = () => {
      if (!details.querySelector("table")) details.append(sessionsTable(ordered(list)));
    };
    if (state.openMonths.has(key)) {
      details.open = true;
      build();
    }
    details.addEventListener("toggle", () => {
      if (details.open) {
        state.openMonths.add(key);
        build();
      } else {
        state.openMonths.delete(key);
        details.querySelector("table")?.remove();
      }
    });
    return details;
  }

  function renderSessions(list) {
    const host = $("sessions-host");
    const more = $("more");
    if (BY_MONTH && state.month === null) {
      const byMonth = new Map(BUCKETS.map((bucket) => [bucket.k, []]));
      for (const row of list) byMonth.get(row.m)?.push(row);
      host.replaceChildren(...BUCKETS.map((bucket) => monthBlock(bucket.k, byMonth.get(bucket.k))));
      $("session-count").textContent = counted(list.length, "session", "sessions");
      more.hidden = true;
      return;
    }
    const shown = ordered(list).slice(0, state.shown);
    host.replaceChildren(sessionsTable(shown));
    const left = list.length - shown.length;
    $("session-count").textContent = left > 0
      ? `${shown.length} of ${list.length}`
      : counted(list.length, "session", "sessions");
    more.hidden = left <= 0;
    more.textContent = left > 0 ? `Show ${Math.min(PAGE, left)} more of ${left}` : "";
  }

  // ---- Putting it together ----

  let current = { searched: rows, list: rows, seconds: 0 };

  function render() {
    const searched = state.folded ? rows.filter((row) => row.f.includes(state.folded)) : rows;
    const list = state.month ? searched.filter((row) => row.m === state.month) : searched;
    const seconds = total(list);
    current = { searched, list, seconds };
    renderLede(list, seconds);
    renderFigures(list, seconds);
    renderMonths(searched);
    renderChart(list);
    renderBreakdown(list, seconds);
    renderSessions(list);
    $("reset").hidden = !state.query;
    if (note) note.hidden = Boolean(state.query);
  }

  function takeQuery() {
    state.query = search.value.trim();
    state.folded = fold(search.value);
    state.shown = PAGE;
  }

  search.addEventListener("input", () => {
    takeQuery();
    render();
  });

  $("reset").addEventListener("click", () => {
    search.value = "";
    takeQuery();
    render();
    search.focus();
  });

  document.querySelector(".groups").addEventListener("click", (event) => {
    const button = event.target.closest("button[data-group]");
    if (!button) return;
    state.group = button.dataset.group;
    state.breakdownShown = BREAKDOWN_PAGE;
    for (const other of document.querySelectorAll(".groups button")) {
      other.setAttribute("aria-pressed", String(other === button));
    }
    renderBreakdown(current.list, current.seconds);
  });

  $("months").addEventListener("click", (event) => {
    const button = event.target.closest("button[data-month]");
    if (button && !button.disabled) chooseMonth(button.dataset.month || null);
  });

  $("breakdown-more").addEventListener("click", () => {
    state.breakdownShown += BREAKDOWN_PAGE;
    renderBreakdown(current.list, current.seconds);
  });

  $("more").addEventListener("click", () => {
    state.shown += PAGE;
    renderSessions(current.list);
  });

  $("sessions-host").addEventListener("click", (event) => {
    const button = event.target.closest("button[data-sort]");
    if (!button) return;
    const key = button.dataset.sort;
    if (state.sortKey === key) {
      state.sortDescending = !state.sortDescending;
    } else {
      state.sortKey = key;
      state.sortDescending = key === "s";
    }
    renderSessions(current.list);
  });

  takeQuery();
  render();
})();
