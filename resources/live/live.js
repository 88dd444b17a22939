// The range live: a tile per lane with the current series' calls (blue)
// and hits (red) joined by their lines, kept current over a WebSocket.
// Positions come in millimetres on the face, x right and y up; the faces
// are drawn in millimetres with y turned down, so that a mark's cx and cy
// are its x and -y.
'use strict';

(() => {
  const TEXTS = {
    de: {
      loginTitle: 'Anmelden',
      loginHint: 'Mit der Anmeldung und dem Passwort des Vereinsservers.',
      login: 'Anmeldung',
      password: 'Passwort',
      logIn: 'Anmelden',
      logOut: 'Abmelden',
      fullscreen: 'Vollbild',
      refused: 'Anmeldung oder Passwort falsch.',
      wait: 'Zu viele Fehlversuche – bitte einige Minuten warten.',
      server: 'Der Vereinsserver ist nicht erreichbar.',
      failed: 'Die Live-Ansicht ist nicht erreichbar.',
      empty: 'Heute hat noch keine Bahn einen Schuss.',
      live: 'Live',
      reconnecting: 'Verbindung getrennt – neuer Versuch …',
      serverLost: 'Vereinsserver nicht erreichbar – die Anzeige ist nicht aktuell.',
      viewer: 'Angemeldet: %1',
      coach: 'Angemeldet: %1 (Trainer)',
      shots: 'Schüsse',
      series: 'Serie %1',
      sighters: 'Probe %1',
      calls10: '10er-Ansagen',
      back: 'Alle Bahnen',
      mpi: 'Mittlerer Treffpunkt',
      callError: 'Ansagefehler',
      spread: 'Streuung',
      point: '%1 mm %2, %3 mm %4',
      sides: ['rechts', 'links', 'hoch', 'tief'],
      mm: '%1 mm',
      legendCall: 'Ansage',
      legendHit: 'Treffer',
      secure: 'Verschlüsselt (TLS)',
      insecure: 'Ohne TLS – nur in einem geschlossenen Schießstandnetz.',
      started: 'Beginn %1 Uhr',
      idle: 'Seit %1 Minuten kein Schuss',
      tile: '%1, %2: %3 Schüsse, %4: %5 Ringe',
      lane: 'Bahn %1',
      disciplines: ['LP', 'FP-SP-100m', 'OSP-SP', 'Gewehr 50m', 'LG 10m', 'Gewehr 300m'],
    },
    en: {
      loginTitle: 'Log in',
      loginHint: 'With your login and password of the club’s server.',
      login: 'Login',
      password: 'Password',
      logIn: 'Log in',
      logOut: 'Log out',
      fullscreen: 'Full screen',
      refused: 'Wrong login or password.',
      wait: 'Too many failed attempts – please wait a few minutes.',
      server: 'The club’s server cannot be reached.',
      failed: 'The live view cannot be reached.',
      empty: 'No lane has a shot yet today.',
      live: 'Live',
      reconnecting: 'Connection lost – trying again …',
      serverLost: 'Club server not reachable – the view is not up to date.',
      viewer: 'Logged in: %1',
      coach: 'Logged in: %1 (coach)',
      shots: 'Shots',
      series: 'Series %1',
      sighters: 'Sighters %1',
      calls10: 'Calls 10',
      back: 'All lanes',
      mpi: 'Mean point of impact',
      callError: 'Call error',
      spread: 'Spread',
      point: '%1 mm %2, %3 mm %4',
      sides: ['right', 'left', 'high', 'low'],
      mm: '%1 mm',
      legendCall: 'Call',
      legendHit: 'Hit',
      secure: 'Encrypted (TLS)',
      insecure: 'Without TLS – only on a closed range network.',
      started: 'Started %1',
      idle: 'No shot for %1 minutes',
      tile: '%1, %2: %3 shots, %4: %5 points',
      lane: 'Lane %1',
      disciplines: ['AP', 'FP-SP-100m', 'RFP-SP', 'Rifle 50m', 'AR 10m', 'Rifle 300m'],
    },
  };
  const IDLE_MS = 10 * 60 * 1000;
  const NO_SESSION = 4001;
  const SVG = 'http://www.w3.org/2000/svg';

  const lang = (navigator.languages || [navigator.language])
    .map((l) => String(l).slice(0, 2).toLowerCase())
    .find((l) => l in TEXTS) || 'de';
  const locale = lang === 'de' ? 'de-DE' : 'en-GB';
  const tenths = new Intl.NumberFormat(locale, { minimumFractionDigits: 1, maximumFractionDigits: 1 });
  const share = new Intl.NumberFormat(locale, { style: 'percent', maximumFractionDigits: 0 });
  const clock = new Intl.DateTimeFormat(locale, { hour: '2-digit', minute: '2-digit' });
  const collator = new Intl.Collator(locale, { numeric: true });

  function text(key, ...args) {
    return TEXTS[lang][key].replace(/%(\d)/g, (_, i) => String(args[Number(i) - 1]));
  }

  const $ = (id) => document.getElementById(id);
  const state = {
    lanes: new Map(), // by lane id
    offset: 0, // server time - this browser's time
    open: null, // the lane shown whole
    socket: null,
    retries: 0,
    leaving: false,
  };

  function element(tag, className, content) {
    const e = document.createElement(tag);
    if (className) e.className = className;
    if (content !== undefined) e.textContent = content;
    return e;
  }

  function svgElement(tag, attributes) {
    const e = document.createElementNS(SVG, tag);
    for (const [name, value] of Object.entries(attributes)) e.setAttribute(name, String(value));
    return e;
  }

  // How much of the face is shown: the black and every shot, with room
  // for its mark; never more than the whole face.
  function reach(f, shots, outer, mark) {
    let r = (f.black / 2) * 1.08;
    for (const shot of shots) {
      for (const p of [shot.hit, shot.call]) {
        if (p) r = Math.max(r, Math.hypot(p[0], p[1]) + 2 * mark);
      }
    }
    return Math.min(r, outer * 1.03);
  }

  // The face with `shots`: rings, black, inner ten, then each shot's call
  // and hit joined by a line, the newest last.
  function face(lane, shots) {
    const f = lane.face || { rings: [], black: 0, innerTen: 0, calibre: 4.5 };
    const outer = Math.max(f.black, ...f.rings) / 2 || 10;
    const mark = Math.max((lane.calibre || f.calibre || 4.5) / 2, outer / 90);
    const r = reach(f, shots, outer, mark);
    const svg = svgElement('svg', { viewBox: `${-r} ${-r} ${2 * r} ${2 * r}`, class: 'face', role: 'img' });
    svg.append(svgElement('circle', { cx: 0, cy: 0, r: outer * 1.02, class: 'card' }));
    svg.append(svgElement('circle', { cx: 0, cy: 0, r: f.black / 2, class: 'black' }));
    for (const d of [...f.rings, f.innerTen]) {
      if (d > 0) {
        const onBlack = d <= f.black + 1e-6;
        svg.append(svgElement('circle', { cx: 0, cy: 0, r: d / 2, class: `ring ${onBlack ? 'on-black' : 'on-card'}`, 'vector-effect': 'non-scaling-stroke' }));
      }
    }
    shots.forEach((shot, i) => drawShot(svg, shot, mark, i === shots.length - 1));
    return svg;
  }

  function drawShot(svg, shot, mark, newest) {
    const stroke = { 'vector-effect': 'non-scaling-stroke', 'stroke-width': newest ? 2 : 1 };
    if (shot.call) {
      svg.append(svgElement('line', { x1: shot.call[0], y1: -shot.call[1], x2: shot.hit[0], y2: -shot.hit[1], class: 'join', ...stroke }));
      svg.append(svgElement('circle', { cx: shot.call[0], cy: -shot.call[1], r: mark, class: 'call', 'data-slot': shot.slot, ...stroke }));
    }
    svg.append(svgElement('circle', { cx: shot.hit[0], cy: -shot.hit[1], r: mark, class: newest ? 'hit last' : 'hit', 'data-slot': shot.slot, ...stroke }));
  }

  function currentSeries(lane) {
    return lane.series.length ? lane.series[lane.series.length - 1] : { number: 0, shots: [], sum: 0, sighter: false };
  }

  function seriesName(series) {
    return text(series.sighter ? 'sighters' : 'series', series.number);
  }

  function idle(lane) {
    return Date.now() + state.offset - lane.last > IDLE_MS;
  }

  function number(label, value, className) {
    const cell = element('p', className, label);
    cell.prepend(element('b', '', value));
    return cell;
  }

  function tile(lane) {
    const current = currentSeries(lane);
    const button = element('button', 'tile');
    button.type = 'button';
    button.dataset.lane = lane.id;
    button.classList.toggle('idle', idle(lane));
    const what = describe(lane).join(' · ');
    button.append(element('h2', '', lane.shooter || lane.login), element('p', 'what', what));
    button.append(face(lane, current.shots));
    const numbers = element('div', 'numbers');
    numbers.append(
      number(text('shots'), String(lane.shots), 'shots'),
      number(seriesName(current), tenths.format(current.sum), 'sum'),
      number(text('calls10'), lane.calls10 === null ? '–' : share.format(lane.calls10), 'calls10'),
    );
    button.append(numbers);
    button.setAttribute('aria-label', text('tile', lane.shooter || lane.login, what, lane.shots, seriesName(current), tenths.format(current.sum)));
    button.addEventListener('click', () => openLane(lane.id));
    return button;
  }

  // The lane's name, discipline and match program.
  function describe(lane) {
    return [lane.laneName ? text('lane', lane.laneName) : '', TEXTS[lang].disciplines[lane.discipline], lane.program].filter(Boolean);
  }

  // By the lane's name (lane 2 before lane 10; one without a name last),
  // then by shooter, as the program orders them.
  function order(a, b) {
    if (!a.laneName !== !b.laneName) return a.laneName ? -1 : 1;
    return collator.compare(a.laneName || '', b.laneName || '')
      || collator.compare(a.shooter || '', b.shooter || '')
      || (a.id < b.id ? -1 : a.id > b.id ? 1 : 0);
  }

  function renderLanes() {
    const list = $('lanes');
    list.replaceChildren(...[...state.lanes.values()].sort(order).map(tile));
    $('empty').hidden = state.lanes.size > 0 || state.socket === null;
    fitScreen();
  }

  // On the clubhouse's screen every lane is seen at once: as many columns
  // as make the largest tiles that all fit the screen's height.
  function fitScreen() {
    const list = $('lanes');
    const first = list.querySelector('.tile');
    if (!document.body.classList.contains('kiosk') || !first) {
      list.style.removeProperty('grid-template-columns');
      return;
    }
    const gap = parseFloat(getComputedStyle(list).rowGap) || 0;
    const extra = first.offsetHeight - first.querySelector('svg').getBoundingClientRect().height;
    const height = innerHeight - list.getBoundingClientRect().top - $('footer').offsetHeight - gap;
    const n = list.children.length;
    let columns = n;
    for (let c = 1; c <= n; c += 1) {
      const width = (list.clientWidth - (c - 1) * gap) / c;
      const rows = Math.ceil(n / c);
      if (rows * (width + extra) + (rows - 1) * gap <= height) {
        columns = c;
        break;
      }
    }
    list.style.gridTemplateColumns = `repeat(${columns}, minmax(0, 1fr))`;
  }

  // "0,3 mm links, 2,3 mm hoch": x right and y up, each by its side.
  function pointText(p) {
    if (!p) return '–';
    const sides = TEXTS[lang].sides;
    return text('point', tenths.format(Math.abs(p[0])), sides[p[0] < 0 ? 1 : 0],
      tenths.format(Math.abs(p[1])), sides[p[1] < 0 ? 3 : 2]);
  }

  function figures(lane) {
    const list = $('lane-figures');
    const rows = [
      [text('shots'), String(lane.shots)],
      [text('calls10'), lane.calls10 === null ? '–' : share.format(lane.calls10)],
      [text('mpi'), pointText(lane.mpi)],
      [text('callError'), pointText(lane.callError)],
      [text('spread'), lane.spread === null ? '–' : text('mm', tenths.format(lane.spread))],
    ];
    list.replaceChildren(...rows.flatMap(([term, value]) => [element('dt', '', term), element('dd', '', value)]));
  }

  function renderOpenLane() {
    const lane = state.lanes.get(state.open);
    if (!lane) {
      closeLane();
      return;
    }
    const started = lane.started ? text('started', clock.format(new Date(lane.started))) : '';
    $('lane-title').textContent = lane.shooter || lane.login;
    $('lane-subtitle').textContent = [...describe(lane), started].filter(Boolean).join(' · ');
    $('lane-face').replaceChildren(face(lane, currentSeries(lane).shots));
    figures(lane);
    $('lane-series').replaceChildren(...lane.series.map((series) => {
      const box = element('div', series.sighter ? 'series sighter' : 'series');
      const title = element('h3', '', seriesName(series));
      title.append(element('span', '', tenths.format(series.sum)));
      box.append(title, face(lane, series.shots));
      return box;
    }));
  }

  function openLane(id) {
    state.open = id;
    $('lanes').hidden = true;
    $('empty').hidden = true;
    $('lane').hidden = false;
    renderOpenLane();
    $('back').focus();
  }

  function closeLane() {
    state.open = null;
    $('lane').hidden = true;
    $('lanes').hidden = false;
    renderLanes();
  }

  function setConnection(message, lost) {
    const status = $('connection');
    status.textContent = message;
    status.classList.toggle('lost', Boolean(lost));
  }

  function receive(frame) {
    if (typeof frame.now === 'number') state.offset = frame.now - Date.now();
    if (frame.type === 'state') {
      state.lanes = new Map(frame.lanes.map((lane) => [lane.id, lane]));
      $('viewer').textContent = text(frame.viewer.coach ? 'coach' : 'viewer', frame.viewer.login);
      setConnection(text('live'));
    } else if (frame.type === 'lane') {
      state.lanes.set(frame.lane.id, frame.lane);
    } else if (frame.type === 'gone') {
      state.lanes.delete(frame.lane);
    } else if (frame.type === 'server') {
      setConnection(frame.reached ? text('live') : text('serverLost'), !frame.reached);
      return;
    }
    if (state.open) renderOpenLane();
    else renderLanes();
  }

  function connect() {
    const scheme = location.protocol === 'https:' ? 'wss:' : 'ws:';
    const socket = new WebSocket(`${scheme}//${location.host}/live`);
    state.socket = socket;
    socket.addEventListener('open', () => {
      state.retries = 0;
      $('login-form').hidden = true;
      $('logout').hidden = false;
      $('fullscreen').hidden = false;
    });
    socket.addEventListener('message', (event) => receive(JSON.parse(event.data)));
    socket.addEventListener('close', (event) => {
      state.socket = null;
      if (event.code === NO_SESSION || state.leaving) {
        showLogin();
        return;
      }
      setConnection(text('reconnecting'), true);
      const wait = Math.min(5000, 250 * 2 ** state.retries);
      state.retries += 1;
      setTimeout(connect, wait);
    });
  }

  function showLogin() {
    state.leaving = false;
    state.lanes.clear();
    closeLane();
    $('lanes').replaceChildren();
    $('empty').hidden = true;
    $('viewer').textContent = '';
    setConnection('');
    $('logout').hidden = true;
    $('fullscreen').hidden = true;
    $('login-form').hidden = false;
    $('login').focus();
  }

  async function logIn(event) {
    event.preventDefault();
    const problem = $('login-problem');
    problem.textContent = '';
    $('login-button').disabled = true;
    try {
      const answer = await fetch('/anmelden', {
        method: 'POST',
        headers: { 'Content-Type': 'application/json' },
        credentials: 'same-origin',
        body: JSON.stringify({ login: $('login').value.trim(), password: $('password').value }),
      });
      if (answer.ok) {
        $('password').value = '';
        connect();
      } else {
        const reasons = { 401: 'refused', 429: 'wait', 503: 'server' };
        problem.textContent = text(reasons[answer.status] || 'refused');
      }
    } catch (e) {
      problem.textContent = text('failed');
    } finally {
      $('login-button').disabled = false;
    }
  }

  async function logOut() {
    state.leaving = true;
    try {
      await fetch('/abmelden', { method: 'POST', credentials: 'same-origin' });
    } finally {
      if (state.socket) state.socket.close(1000);
      else showLogin();
    }
  }

  function kiosk(on) {
    document.body.classList.toggle('kiosk', on);
    renderLanes();
    if (on && document.documentElement.requestFullscreen && !document.fullscreenElement) {
      document.documentElement.requestFullscreen().catch(() => {});
    }
  }

  function start() {
    document.documentElement.lang = lang;
    for (const e of document.querySelectorAll('[data-text]')) e.textContent = text(e.dataset.text);
    $('logout').textContent = text('logOut');
    $('fullscreen').textContent = text('fullscreen');
    const open = location.protocol === 'http:';
    $('security').textContent = text(open ? 'insecure' : 'secure');
    $('security').classList.toggle('open', open);
    $('login-form').addEventListener('submit', logIn);
    $('logout').addEventListener('click', logOut);
    $('back').addEventListener('click', closeLane);
    $('fullscreen').addEventListener('click', () => kiosk(true));
    document.addEventListener('fullscreenchange', () => {
      if (!document.fullscreenElement) kiosk(false);
    });
    window.addEventListener('resize', fitScreen);
    if (new URLSearchParams(location.search).has('vollbild')) document.body.classList.add('kiosk');
    setInterval(() => {
      for (const e of document.querySelectorAll('.tile')) {
        const lane = state.lanes.get(e.dataset.lane);
        if (lane) e.classList.toggle('idle', idle(lane));
      }
    }, 5000);
    connect();
  }

  start();
})();
