// Goals in a link: goal=MECH.LAW.FIGURE<VALUE,... (or >VALUE), each listed with
// its current value and whether it is met, live. A condition that cannot be
// read is listed as such, never dropped; a run that never settles fails every
// settle condition.
'use strict';

const kGoalFigures = ['settle', 'overshoot', 'finalD', 'iae', 'peakPhi', 'atLimit'];

function agvParseGoal(text) {
  const match = /^(2DW1C|1FDW1FS|1RDW1FS)\.(P|PI)\.([A-Za-z]+)([<>])(.+)$/.exec(text);
  if (!match || !kGoalFigures.includes(match[3])) return null;
  const bound = agvParseNumber(match[5]);
  if (bound === undefined || !Number.isFinite(bound)) return null;
  return {mech: match[1], law: match[2], figure: match[3], below: match[4] === '<', bound};
}

// The value a condition reads: |finalD| for finalD; a start on the path has no overshoot, 0.
function agvGoalValue(goal, runs) {
  const run = runs.find((r) => r.mech === goal.mech && r.law === goal.law);
  const value = run.figures[goal.figure];
  if (goal.figure === 'finalD') return Math.abs(value);
  if (goal.figure === 'overshoot' && value === null) return 0;
  return value;
}

const agvBenchGoals = {
  conditions: [],  // {text, goal or null}
  list: null,

  build() {
    if (agvLink.goal === null) return;
    let text;
    try {
      text = decodeURIComponent(agvLink.goal);
    } catch (e) {
      text = agvLink.goal;
    }
    this.conditions = text.split(',').filter((t) => t !== '').map((t) => ({text: t, goal: agvParseGoal(t)}));
    const section = document.createElement('section');
    section.id = 'bench-goals';
    section.appendChild(agvBench.heading('goals-title'));
    this.list = document.createElement('ul');
    section.appendChild(this.list);
    // The goals come first after the controls: they are what the student works towards.
    agvBench.element.insertBefore(section, document.getElementById('bench-figures'));
    agvLanguage.onChange(() => this.render());
  },

  evaluate() {
    const live = agvBenchLive.result;
    return this.conditions.map(({text, goal}) => {
      if (!goal || !live) return {text, value: null, met: false, readable: Boolean(goal)};
      const value = agvGoalValue(goal, live.runs);
      const met = value !== null && (goal.below ? value < goal.bound : value > goal.bound);
      return {text, value, met, readable: true};
    });
  },

  render() {
    if (!this.list) return;
    this.list.replaceChildren(...this.evaluate().map((g) => {
      const item = document.createElement('li');
      item.className = !g.readable ? 'goal-unreadable' : g.met ? 'goal-met' : 'goal-not-met';
      const state = !g.readable ? 'goal-unreadable' : g.met ? 'goal-met' : 'goal-not-met';
      const value = g.value === null ? '–' : Number(g.value.toPrecision(4));
      item.textContent = `${g.text}: ${g.readable ? value + ' ' : ''}${agvLanguage.text(state)}`;
      return item;
    }));
  },
};

agvBenchGoals.build();
